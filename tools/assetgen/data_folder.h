#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue.h"

namespace kb::assetgen {

// The picture or sound file of one catalogue entry, encoded. Empty with a
// message in error when the entry cannot be made as listed.
std::vector<uint8_t> ProduceFile(const CatalogueEntry& entry, std::string* error);

// Writes every file of the catalogue below root, creating folders as needed,
// and a default options file when there is none. Files the game writes
// itself (options, highscores, screenshots) are never replaced.
bool WriteDataFolder(const std::filesystem::path& root, std::string* error);

// The options file a fresh installation starts with: five little-endian
// int32 values, ParticlesPerStone 128, RingWidth 20, AiStrength 9,
// GraphicSet 0, SnakeGraphicSet 0.
std::vector<uint8_t> DefaultOptionsFile();

// Writes that options file as "Optionen.bin" into folder: the installed data
// folder ships it, and the game reads it until the player saves options of
// their own.
bool WriteDefaultsFolder(const std::filesystem::path& folder, std::string* error);

// Writes the program's icon at each of the sizes as a PNG file named after
// its size ("48x48.png" and so on) into folder, for the desktop's icon theme.
// They stay out of the data folder: the game itself never shows them.
bool WriteIconFolder(const std::filesystem::path& folder, const std::vector<int>& sizes,
                     std::string* error);

}  // namespace kb::assetgen
