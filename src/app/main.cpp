#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <variant>
#include <vector>

#include "app/game.h"
#include "app/replay_check.h"
#include "core/board_number.h"
#include "core/cp1252.h"
#include "platform/file_system.h"
#include "platform/game_folders.h"
#include "platform/sdl/message_box_process.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "replay/journal_platform.h"
#include "replay/replay_file.h"
#include "saves/highscore_file.h"
#include "saves/options_file.h"
#include "saves/screenshot_file.h"

namespace {

// Answers on standard output for the shell, so in UTF-8, not the game's own
// Windows-1252 bytes.
const char* const kUsage = reinterpret_cast<const char*>(
    u8R"(Aufruf: klotzbrecher3 [--window] [--board N|today] [--version] [-h|--help]
       klotzbrecher3 [--window] --replay DATEI
       klotzbrecher3 --replay-check DATEI

Klotzbrecher 3, ein Knobelspiel: Entfernen Sie Gruppen gleichfarbiger Steine.

  --window         im Fenster statt im Vollbild starten (F11 wechselt im Spiel)
  --board N        jedes Spiel für einen Spieler beginnt mit Brett N
                   (1 bis 2147483647), auf jedem Rechner mit demselben Brett
  --board today    das Brett des Tages (UTC), für alle dasselbe
  --replay DATEI   ein aufgezeichnetes Spiel zeigen, wie es gespielt wurde,
                   danach das Hauptmenü (ESC beendet die Wiederholung)
  --replay-check DATEI
                   ein aufgezeichnetes Spiel ohne Fenster abspielen und
                   "score S level L frames F hash H" ausgeben
  --version        die Version zeigen und beenden
  -h, --help       diese Hilfe zeigen und beenden

Die Optionen, die Highscores, die Screenshots, das unterbrochene Spiel und
die letzten 20 Spiele als Wiederholungen liegen in
$XDG_DATA_HOME/klotzbrecher3 (sonst ~/.local/share/klotzbrecher3).
)");

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : program.parent_path();
}

void TellReplayProblem(const char* path, const std::string& cp1252Text) {
  std::fprintf(stderr, "klotzbrecher3: %s: %s\n", path, kb::Cp1252ToUtf8(cp1252Text).c_str());
}

// A replay named on the command line, or nothing with a line on standard
// error saying why.
std::optional<std::vector<uint8_t>> ReadReplayFile(const char* path) {
  using kb::operator""_cp;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  std::ifstream in(path, std::ios::binary);
  if (ec || !in) {
    TellReplayProblem(path, "Die Datei kann nicht gelesen werden.");
    return std::nullopt;
  }
  if (size > kb::replay::kMaxReplayBytes) {
    TellReplayProblem(path, "Die Datei ist zu groß für eine Wiederholung."_cp);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  using kb::operator""_cp;
  // The game shows its message boxes by starting its own program once more.
  if (const std::optional<int> box = kb::platform::RunMessageBoxProgram(argc, argv)) return *box;
  bool window = false;
  uint32_t boardNumber = kb::kNoBoardNumber;
  const char* replayPath = nullptr;
  bool replayCheck = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("klotzbrecher3 %s\n", KB_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--window") == 0) {
      window = true;
    } else if (std::strcmp(argv[i], "--board") == 0) {
      const std::optional<uint32_t> number =
          i + 1 < argc ? kb::ParseBoardNumber(argv[i + 1], std::time(nullptr)) : std::nullopt;
      if (!number) {
        std::fprintf(stderr, "klotzbrecher3: %s\n", kb::kBoardNumberRule);
        return 2;
      }
      boardNumber = *number;
      ++i;
    } else if (std::strcmp(argv[i], "--replay") == 0 ||
               std::strcmp(argv[i], "--replay-check") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "klotzbrecher3: %s braucht eine Datei\n", argv[i]);
        return 2;
      }
      replayCheck = std::strcmp(argv[i], "--replay-check") == 0;
      replayPath = argv[++i];
    } else {
      std::fprintf(stderr, "klotzbrecher3: unbekannte Option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }

  const kb::platform::GameFolders folders =
      kb::platform::FindGameFolders(ProgramFolder(), std::filesystem::current_path(),
                                    std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  std::optional<kb::replay::Replay> replay;
  if (replayPath != nullptr) {
    const std::optional<std::vector<uint8_t>> bytes = ReadReplayFile(replayPath);
    if (!bytes) return 2;
    if (replayCheck) {
      kb::platform::DiskFileSystem data(folders.data, folders.player);
      const kb::ReplayCheck check = kb::CheckReplay(*bytes, data);
      if (!check.played) {
        TellReplayProblem(replayPath, check.problem);
        return 1;
      }
      std::printf("%s\n", check.line.c_str());
      return 0;
    }
    auto decoded = kb::replay::DecodeReplay(*bytes);
    if (const std::string* problem = std::get_if<std::string>(&decoded)) {
      TellReplayProblem(replayPath, *problem);
      return 2;
    }
    replay = std::move(std::get<kb::replay::Replay>(decoded));
  }
  // A write to a connection that closed under the game (the display's, for
  // one) is then an error the game hears and answers, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
  kb::platform::SdlPlatform machine;
  if (!machine.Open(window, kb::GameTitle(boardNumber).c_str())) return 1;
  kb::platform::DiskFileSystem files(folders.data, folders.player);
  // MENDED: what saves cut short left behind goes before the game saves anything.
  files.RemoveLeftoverTemporaries({{kb::kOptionsFile, kb::kHighscoreFile, kb::kSavedMatchFile},
                                   {{kb::kScreenshotFolder, kb::IsScreenshotFileName},
                                    {kb::replay::kReplayFolder, kb::replay::IsReplayFileName}}});
  kb::platform::SdlAudio audio;
  kb::platform::Platform platform{machine, machine, machine, machine, files, audio};
  kb::replay::JournalPlatform journal(platform);

  kb::Game game(journal.Face());
  game.journal = &journal;
  game.BoardNumber = boardNumber;
  if (replay) {
    game.InitServices();
    game.StartMusic();
    const kb::Game::ReplayOutcome outcome = game.WatchReplay(*replay, true);
    if (outcome.refused) {
      TellReplayProblem(replayPath, "Die Wiederholung ist beschädigt."_cp);
    } else if (outcome.end.diverged) {
      TellReplayProblem(replayPath,
                        "Die Wiederholung passt nicht mehr zu diesem Spiel und wurde abgebrochen.");
    }
  } else {
    game.Init();
    game.OfferSavedMatch();
  }
  game.RunMainMenu();
  game.Shutdown();
  return 0;
}
