// kb_frame_hashes DATA_FOLDER [--record FILE]: a scripted run of the game on
// the fake platform (the title, a one-player match of removals with their
// sparks and rings, the options, the help, the highscores and the credits),
// printing a hash of every frame it presents; the match's replay goes to
// FILE. The desktop build and the browser build must print the same lines,
// the browser build reading its converted data folder: the same game, pixel
// for pixel.
// kb_frame_hashes DATA_FOLDER --replay-check FILE: the replay played again
// unseen, printing what "klotzbrecher3 --replay-check" prints.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/game.h"
#include "app/replay_check.h"
#include "core/checksum.h"
#include "core/data_files.h"
#include "core/key_codes.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/memory_file_system.h"
#include "replay/journal_platform.h"

namespace {

using namespace kb;

// The data folder's own files, read from disk; a player's options or
// highscores there are not seen, and every write stays in memory.
class ReadOnlyData final : public platform::FileSystem {
 public:
  explicit ReadOnlyData(const char* folder) : disk_(folder) {}
  platform::ReadResult ReadFile(std::string_view path, std::vector<uint8_t>& out,
                                size_t maxBytes) override {
    const platform::ReadResult kept = memory_.ReadFile(path, out, maxBytes);
    if (kept != platform::ReadResult::kMissing || !dataFiles_.contains(std::string(path))) {
      return kept;
    }
    return disk_.ReadFile(path, out, maxBytes);
  }
  bool WriteFile(std::string_view path, std::span<const uint8_t> bytes) override {
    return memory_.WriteFile(path, bytes);
  }
  bool MakeFolder(std::string_view path) override { return memory_.MakeFolder(path); }
  std::vector<std::string> ListFolder(std::string_view path) override {
    return memory_.ListFolder(path);
  }
  const std::vector<uint8_t>* Written(std::string_view path) const { return memory_.Find(path); }

 private:
  const std::vector<std::string> everyFile_ = data_files::EveryFile();
  const std::set<std::string> dataFiles_{everyFile_.begin(), everyFile_.end()};
  platform::DiskFileSystem disk_;
  platform::MemoryFileSystem memory_;
};

}  // namespace

int main(int argc, char** argv) {
  const bool record = argc == 4 && std::strcmp(argv[2], "--record") == 0;
  const bool check = argc == 4 && std::strcmp(argv[2], "--replay-check") == 0;
  if (argc != 2 && !record && !check) {
    std::fprintf(stderr,
                 "Aufruf: kb_frame_hashes DATENORDNER [--record DATEI | --replay-check DATEI]\n");
    return 2;
  }
  ReadOnlyData files(argv[1]);
  if (check) {
    std::ifstream in(argv[3], std::ios::binary);
    const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    const ReplayCheck result = CheckReplay(bytes, files);
    std::printf("%s\n", result.played ? result.line.c_str() : result.problem.c_str());
    return result.played ? 0 : 1;
  }
  platform::FakePlatform fake;
  platform::SilentAudio audio;
  platform::Platform machine{fake, fake, fake, fake, files, audio};
  replay::JournalPlatform journal(machine);
  Game game(record ? journal.Face() : machine);
  if (record) game.journal = &journal;
  game.OnScreen = [](const char* name) { std::printf("screen %s\n", name); };
  fake.OnPresent([](uint64_t frame, const uint32_t* pixels) {
    std::printf("%" PRIu64 " %016" PRIx64 "\n", frame,
                FrameHash(std::span(pixels, platform::kScreenPixels)));
  });

  fake.KeyPressAt(0, key::kReturn, 20);
  game.Init();

  // The match: RETURN removes the group under the cursor, which walks the
  // bottom rows from its home in the corner.
  uint64_t at = fake.NowMs() + 1500;
  for (int step = 0; step < 40; ++step) {
    fake.KeyPressAt(at, key::kReturn, 150);
    fake.KeyPressAt(at + 400,
                    step % 16 == 15        ? key::kUp
                    : (step / 16) % 2 == 0 ? key::kRight
                                           : key::kLeft,
                    150);
    at += 800;
  }
  fake.KeyPressAt(at, key::kEscape, 150);
  game.RunMatch();
  if (record) {
    const std::vector<std::string> kept = files.ListFolder(replay::kReplayFolder);
    const std::vector<uint8_t>* bytes =
        kept.size() == 1 ? files.Written(std::string(replay::kReplayFolder) + "/" + kept[0])
                         : nullptr;
    std::ofstream out(argv[3], std::ios::binary);
    if (bytes != nullptr) out.write(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (bytes == nullptr || !out) {
      std::fprintf(stderr, "kb_frame_hashes: die Wiederholung fehlt\n");
      return 1;
    }
  }

  for (void (Game::*screen)() :
       {&Game::RunOptionsMenu, &Game::RunHelp, &Game::ShowHighscores, &Game::RunCredits}) {
    fake.KeyPressAt(fake.NowMs() + 2000, key::kEscape, 150);
    (game.*screen)();
  }
  std::printf("frames %" PRIu64 "\n", fake.FramesPresented());
  return 0;
}
