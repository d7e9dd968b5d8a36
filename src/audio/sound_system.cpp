#include "audio/sound_system.h"

#include <vector>

#include "core/cp1252.h"
#include "core/report.h"

namespace kb {

void SoundSystem::InitSound() {
  count_ = 0;
  // A machine without sound plays the game silently; that is no error worth
  // a message box for every effect.
  silent_ = !audio_.Available();
  if (silent_) ReportProblem("Kein Tonausgabegerät gefunden, das Spiel läuft ohne Ton."_cp);
}

void SoundSystem::AddSound(const char* file) {
  if (silent_) return;
  if (count_ >= kMaxEffects) {
    messages_.Show("Maximale Anzahl an Sounds erreicht", "AddSound");
    return;
  }
  std::vector<uint8_t> bytes;
  const bool read =
      files_.ReadFile(file, bytes, platform::kMaxMediaFileBytes) == platform::ReadResult::kRead;
  const int handle = read ? audio_.LoadEffect(bytes) : -1;
  if (handle < 0) {
    messages_.Show("Fehler beim Laden der Datei", "AddSound");
    return;
  }
  names_[static_cast<size_t>(count_)] = file;
  handles_[static_cast<size_t>(count_)] = handle;
  ++count_;
}

void SoundSystem::PlaySoundEffect(const char* file) {
  if (silent_ || !effectsOn_) return;
  for (int i = 0; i < count_; ++i) {
    if (names_[static_cast<size_t>(i)] == file) {
      audio_.PlayEffect(handles_[static_cast<size_t>(i)]);
      return;
    }
  }
  messages_.Show("Soundeffekt nicht vorhanden", "PlaySoundEffect");
}

void SoundSystem::ShutdownSound() {
  for (std::string& name : names_) name.clear();
  count_ = 0;
}

}  // namespace kb
