#pragma once

#include <cstdint>

#include "platform/file_system.h"
#include "saves/highscore_file.h"
#include "saves/highscores.h"

namespace kb {

enum class HighscoreSave {
  kSaved,
  kNotWritten,    // the file could not be written
  kTableUnknown,  // no table could be read, now or before: nothing is saved
};

// Adds a new entry to the table as the disk holds it now. The table is read
// again (the name entry took a while) under the file's lock, held until the
// new table is in place, so that an entry another game saves at the same
// moment stays too. MENDED: a table that cannot be read now must not become
// an empty one saved over the real one: `before`, the table read before the
// name was typed, stands in, and without either nothing is saved.
HighscoreSave AddHighscore(platform::FileSystem& files, const HighscoreList* before, int32_t score,
                           const TextBuffer& name);

}  // namespace kb
