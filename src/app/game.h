#pragma once

#include <cstdint>

#include "audio/music_player.h"
#include "audio/sound_system.h"
#include "core/random.h"
#include "input/input_device.h"
#include "platform/platform.h"
#include "render/renderer.h"
#include "render/resources.h"
#include "render/sprite_drawer.h"
#include "render/text_drawer.h"

namespace kb {

// The one game object of a run: it owns every service, and its operations
// are the screens. main() makes one; a test makes one on the fake platform.
class Game {
 public:
  explicit Game(platform::Platform& platform);

  // Start-up: services in their fixed order, every picture, the title picture
  // until RETURN or a left click.
  void Init();
  // The outermost screen; returns when the player leaves the game.
  void RunMainMenu();
  // Shutdown after the main menu has returned.
  void Shutdown();

  platform::Platform& platform;
  Random random;
  Renderer renderer;
  SpriteDrawer sprites;
  TextDrawer text;
  InputDevice input;
  SoundSystem sound;
  MusicPlayer music;
  Resources resources;

  uint64_t CounterFrequency = 0;
  uint64_t LastCounter = 0;
  int32_t BoutEndCountdown = -1;
  bool QuitRequested = false;
  int32_t SwapModeArmed = 0;

 private:
  void ShowTitle();
};

}  // namespace kb
