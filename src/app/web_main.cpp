#include <cstdio>

#include "app/game.h"
#include "platform/web/web_audio.h"
#include "platform/web/web_files.h"
#include "platform/web/web_platform.h"

// The game in a browser page: the page has packed the data folder and waits
// for this to run; the player's files come back from the browser first.
int main() {
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

  kb::Game game(platform);
  game.Init();
  game.RunMainMenu();
  game.Shutdown();
  kb::platform::TellPageTheGameEnded();
  return 0;
}
