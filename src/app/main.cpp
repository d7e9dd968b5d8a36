#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/game.h"
#include "core/board_number.h"
#include "platform/file_system.h"
#include "platform/game_folders.h"
#include "platform/sdl/message_box_process.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "saves/highscore_file.h"
#include "saves/options_file.h"
#include "saves/screenshot_file.h"

namespace {

// Answers on standard output for the shell, so in UTF-8, not the game's own
// Windows-1252 bytes.
const char* const kUsage = reinterpret_cast<const char*>(
    u8R"(Aufruf: klotzbrecher3 [--window] [--board N|today] [--version] [-h|--help]

Klotzbrecher 3, ein Knobelspiel: Entfernen Sie Gruppen gleichfarbiger Steine.

  --window         im Fenster statt im Vollbild starten (F11 wechselt im Spiel)
  --board N        jedes Spiel für einen Spieler beginnt mit Brett N
                   (1 bis 2147483647), auf jedem Rechner mit demselben Brett
  --board today    das Brett des Tages (UTC), für alle dasselbe
  --version        die Version zeigen und beenden
  -h, --help       diese Hilfe zeigen und beenden

Die Optionen, die Highscores und die Screenshots liegen in
$XDG_DATA_HOME/klotzbrecher3 (sonst ~/.local/share/klotzbrecher3).
)");

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : program.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  // The game shows its message boxes by starting its own program once more.
  if (const std::optional<int> box = kb::platform::RunMessageBoxProgram(argc, argv)) return *box;
  bool window = false;
  uint32_t boardNumber = kb::kNoBoardNumber;
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
    } else {
      std::fprintf(stderr, "klotzbrecher3: unbekannte Option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }

  const kb::platform::GameFolders folders =
      kb::platform::FindGameFolders(ProgramFolder(), std::filesystem::current_path(),
                                    std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  // A write to a connection that closed under the game (the display's, for
  // one) is then an error the game hears and answers, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
  kb::platform::SdlPlatform machine;
  if (!machine.Open(window, kb::GameTitle(boardNumber).c_str())) return 1;
  kb::platform::DiskFileSystem files(folders.data, folders.player);
  // MENDED: what saves cut short left behind goes before the game saves anything.
  files.RemoveLeftoverTemporaries({{kb::kOptionsFile, kb::kHighscoreFile, kb::kSavedMatchFile},
                                   kb::kScreenshotFolder,
                                   kb::IsScreenshotFileName});
  kb::platform::SdlAudio audio;
  kb::platform::Platform platform{machine, machine, machine, machine, files, audio};

  kb::Game game(platform);
  game.BoardNumber = boardNumber;
  game.Init();
  game.OfferSavedMatch();
  game.RunMainMenu();
  game.Shutdown();
  return 0;
}
