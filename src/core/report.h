#pragma once

#include <string_view>

namespace kb {

// The game's only log: one line on standard error per problem worth knowing
// about (a missing picture, a file that could not be written). The text is
// Windows-1252, like every text of the game, and reaches the terminal as UTF-8.
void ReportProblem(std::string_view text);

// The line a message box leaves there as well, for a player who reads the
// terminal: "Klotzbrecher 3: AddSound: Fehler beim Laden der Datei"; a box
// captioned with the game's own name gives its text alone.
void ReportMessageBox(std::string_view caption, std::string_view text);

}  // namespace kb
