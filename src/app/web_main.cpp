#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>

#include "app/game.h"
#include "core/board_number.h"
#include "platform/web/web_audio.h"
#include "platform/web/web_files.h"
#include "platform/web/web_platform.h"
#include "replay/journal_platform.h"

// The game in a browser page: the page has packed the data folder and waits
// for this to run; the player's files come back from the browser first. The
// page hands over its address's board number as "--board N".
int main(int argc, char** argv) {
  uint32_t boardNumber = kb::kNoBoardNumber;
  if (argc == 3 && std::strcmp(argv[1], "--board") == 0) {
    if (const std::optional<uint32_t> number = kb::ParseBoardNumber(argv[2], std::time(nullptr))) {
      boardNumber = *number;
      kb::platform::ShowBoardInPage(boardNumber, kb::GameTitle(boardNumber).c_str());
    } else {
      std::fprintf(stderr, "Klotzbrecher 3: %s\n", kb::kBoardNumberRule);
    }
  }
  if (!kb::platform::WebFileSystem::OpenPlayerFolder()) {
    std::fputs(
        "Klotzbrecher 3: Der Browser bewahrt keine Dateien auf; Optionen und Highscores "
        "gelten nur bis zum Verlassen der Seite.\n",
        stderr);
  }
  kb::platform::WebPlatform machine;
  kb::platform::WebFileSystem files;
  kb::platform::WebAudio audio;
  kb::platform::Platform platform{machine, machine, machine, machine, files, audio};
  kb::replay::JournalPlatform journal(platform);

  kb::Game game(journal.Face());
  game.journal = &journal;
  game.BoardNumber = boardNumber;
  game.Init();
  game.OfferSavedMatch();
  game.RunMainMenu();
  game.Shutdown();
  kb::platform::TellPageTheGameEnded();
  return 0;
}
