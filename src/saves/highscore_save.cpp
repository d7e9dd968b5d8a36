#include "saves/highscore_save.h"

namespace kb {

HighscoreSave AddHighscore(platform::FileSystem& files, const HighscoreList* before, int32_t score,
                           const TextBuffer& name) {
  const platform::FileLock lock = files.LockFile(kHighscoreFile);
  HighscoreList list;
  if (!ReadHighscores(files, list)) {
    if (before == nullptr) return HighscoreSave::kTableUnknown;
    list = *before;
  }
  InsertHighscore(list, score, name);
  return WriteHighscores(files, list) ? HighscoreSave::kSaved : HighscoreSave::kNotWritten;
}

}  // namespace kb
