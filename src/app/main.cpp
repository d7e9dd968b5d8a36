#include <cstdio>
#include <filesystem>

#include "app/game.h"
#include "platform/file_system.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"

// The game runs in its data folder (the working folder): pictures and sounds
// are read from there, and the options, highscores and screenshots go there.
int main() {
  kb::platform::SdlPlatform machine;
  if (!machine.Open()) return 1;
  kb::platform::DiskFileSystem files(std::filesystem::current_path());
  kb::platform::SdlAudio audio;
  kb::platform::Platform platform{machine, machine, machine, machine, files, audio};

  kb::Game game(platform);
  game.Init();
  game.RunMainMenu();
  game.Shutdown();
  return 0;
}
