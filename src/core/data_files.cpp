#include "core/data_files.h"

#include <initializer_list>

namespace kb::data_files {
namespace {

void AddPictures(std::vector<std::string>& out, std::initializer_list<Picture> pictures) {
  for (const Picture& picture : pictures) out.emplace_back(picture.path);
}

template <size_t N>
void AddMenu(std::vector<std::string>& out, const std::array<MenuFile, N>& menu) {
  for (const MenuFile& entry : menu) {
    out.push_back(MenuPath(entry.name, false));
    out.push_back(MenuPath(entry.name, true));
  }
}

}  // namespace

std::string StoneSetPath(int set, const StoneSetFile& file) {
  return std::string(kStoneSetRoot) + kStoneSetFolders[static_cast<size_t>(set)] + "\\" +
         file.picture.path;
}

std::string SnakeSetPath(int set, const SnakeSetFile& file) {
  return std::string(kSnakeSetRoot) + kSnakeSetFolders[static_cast<size_t>(set)] + "\\" +
         file.picture.path;
}

std::string MenuPath(std::string_view name, bool highlighted) {
  return std::string(kMenuFolder).append(name).append(highlighted ? "a.bmp" : ".bmp");
}

std::vector<std::string> EveryFile() {
  std::vector<std::string> out;
  AddPictures(out, {kGlyphStrip});
  out.insert(out.end(), kSoundEffects.begin(), kSoundEffects.end());
  for (int set = 0; set < kStoneSetCount; ++set) {
    for (const StoneSetFile& file : kStoneSetFiles) out.push_back(StoneSetPath(set, file));
  }
  for (int set = 0; set < kSnakeSetCount; ++set) {
    for (const SnakeSetFile& file : kSnakeSetFiles) out.push_back(SnakeSetPath(set, file));
  }
  AddPictures(out, {kBar, kExplosionSheet});
  for (const Picture& letter : kResultLetters) out.emplace_back(letter.path);
  AddMenu(out, kMainMenu);
  AddMenu(out, kModeMenu);
  AddMenu(out, kOptionsMenu);
  AddPictures(out, {kPointer, kSaveButton, kShuffleButton, kUndoButton, kSwapActiveButton,
                    kSwapInactiveButton, kExitButton, kControlPad, kGridLine, kStagingPicture,
                    kTitleBackground, kMenuBackground, kGameOverBackground, kHighscoresBackground,
                    kOptionsBackground, kHelpBackground});
  out.insert(out.end(), kMusicTracks.begin(), kMusicTracks.end());
  return out;
}

}  // namespace kb::data_files
