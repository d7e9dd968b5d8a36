#pragma once

#include <string>
#include <string_view>

namespace kb {

// The game's texts are Windows-1252 bytes (the glyph strip and the file names
// are indexed by them); the terminal and the disk speak UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace kb
