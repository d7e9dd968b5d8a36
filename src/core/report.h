#pragma once

#include <string_view>

namespace kb {

// The game's only log: one line on standard error per problem worth knowing
// about (a missing picture, a file that could not be written). The text is
// Windows-1252, like every text of the game, and reaches the terminal as UTF-8.
void ReportProblem(std::string_view text);

}  // namespace kb
