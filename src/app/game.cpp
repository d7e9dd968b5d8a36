#include "app/game.h"

#include "core/colours.h"
#include "core/data_files.h"
#include "core/key_codes.h"
#include "core/report.h"

namespace kb {

Game::Game(platform::Platform& p)
    : platform(p),
      chance(random, p.clock),
      renderer(p.display),
      sprites(renderer, p.files),
      text(sprites),
      input(p.input, p.clock),
      sound(p.audio, p.files, p.messages),
      music(p.audio, p.files, p.clock, random) {
  input.OnSwitchKey = [this](uint8_t key) { FlipSoundSwitch(key); };
}

void Game::Init() {
  InitServices();
  ShowTitle();
}

void Game::InitServices() {
  rules.match.QuitRequested = 0;
  rules.match.SwapModeArmed = 0;
  // Seeded from the machine's clock: the game's own tick count starts near 0
  // in every run and would give the first board from a few hundred layouts.
  random.Seed(platform.clock.MachineTicks());
  matchCarryOver.CounterFrequency = platform.clock.PerformanceFrequency();
  matchCarryOver.LastCounter = platform.clock.PerformanceCounter();
  renderer.SetClearColour(kBlack);
  input.Init();
  input.SetPointer(512, 50);
  text.Load();
  sound.InitSound();
  for (const char* effect : data_files::kSoundEffects) sound.AddSound(effect);
  const SoundSwitches switches = ReadSoundSwitches(platform.files);
  music.SetMusicOn(switches.music);
  sound.SetEffectsOn(switches.effects);
  platform.audio.ShowSwitches(switches.music, switches.effects);
  LoadResources(sprites, resources);
}

// MENDED: a player who started the game from the desktop never sees standard
// error, so a failed save is told in a box (which also leaves its line there),
// once until a save of that file succeeds again.
void Game::TellSaveFailure(const char* text, bool& told) {
  if (told) return;
  told = true;
  platform.messages.Show(text, "Klotzbrecher 3");
}

void Game::FlipSoundSwitch(uint8_t key) {
  if (key == key::kF2) music.SetMusicOn(!music.MusicOn());
  if (key == key::kF3) sound.SetEffectsOn(!sound.EffectsOn());
  platform.audio.ShowSwitches(music.MusicOn(), sound.EffectsOn());
  if (WriteSoundSwitches(platform.files, Switches())) {
    SwitchesWriteReported = false;
  } else if (!SwitchesWriteReported) {
    // Told on standard error only: a box would stop the game for a switch
    // that works all the same until the game ends.
    SwitchesWriteReported = true;
    ReportProblem("Die Tonschalter konnten nicht gespeichert werden.");
  }
}

void Game::DrawPointer() {
  sprites.Draw(resources.pointer, {.x = input.PointerX, .y = input.PointerY}, kWhite);
}

void Game::ShowTitle() {
  renderer.BeginFrame();
  sprites.DrawBackground(resources.titleBackground);
  renderer.EndFrame();

  StartMusic();
  WaitForKeyOrButton(key::kReturn, false);
  input.ClearButtons();
  rules.match.BoutEndCountdown = -1;
  input.FlushKeyboard(100000);
}

void Game::StartMusic() {
  const int32_t track = music.ChooseNextTrack();
  music.PlayMusicTrack(track);
  music.LastMusicTrack = track;
}

void Game::WaitForKeyOrButton(uint8_t keyCode, bool rightButton) {
  // Each test sees the state of the reads before it, and the wait rests
  // instead of spinning.
  auto waiting = [&] {
    return !input.KeyDown(keyCode) && (rightButton ? input.RightButton : input.LeftButton) == 0;
  };
  while (waiting()) {
    input.ReadKeyboard();
    input.ReadMouse();
    music.UpdateMusic();
    if (waiting()) platform.clock.SleepMicroseconds(1000);
  }
}

void Game::Shutdown() {
  input.Shutdown();
  music.StopMusic();
  sound.ShutdownSound();
}

}  // namespace kb
