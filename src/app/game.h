#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "audio/music_player.h"
#include "audio/sound_system.h"
#include "core/board_number.h"
#include "core/helper_thread.h"
#include "core/random.h"
#include "effects/particle_system.h"
#include "input/input_device.h"
#include "input/text_entry.h"
#include "platform/platform.h"
#include "render/renderer.h"
#include "render/resources.h"
#include "render/sprite_drawer.h"
#include "render/text_drawer.h"
#include "replay/journal_platform.h"
#include "rules/rules_state.h"
#include "saves/highscores.h"
#include "saves/match_file.h"
#include "saves/options_file.h"
#include "saves/sound_switches.h"
#include "snake/snake_game.h"

namespace kb {

// What the match screen carries from one match to the next: the pass-rate
// counter runs on (the first pass of a match measures the time since the
// previous one), and marked stones keep their turn and pulse.
struct MatchCarryOver {
  uint64_t CounterFrequency = 0;
  uint64_t LastCounter = 0;
  double CurrentRate = 0.0;
  float SpinAngle = 0.0f;
  float PulseX = 1.0f;
  float PulseY = 1.0f;
  bool PulseGrowing = true;
};

// The one game object of a run: it owns every service and the match state,
// and its operations are the screens. main() makes one; a test makes one on
// the fake platform.
class Game {
 public:
  explicit Game(platform::Platform& platform);

  // Start-up: services in their fixed order, every picture, the title picture
  // until RETURN or a left click.
  void Init();
  // Start-up without the title picture and its music: for a replay.
  void InitServices();
  // One of the two tracks, drawn as the title picture draws it.
  void StartMusic();
  // The outermost screen; returns when the player leaves the game.
  void RunMainMenu();
  void RunModeSelection();
  // One match in the mode of HumanPlayers and ComputerPlayers.
  void RunMatch();
  // A match the game ended without the player leaving it, continued where it
  // stood, in its own mode.
  void ContinueMatch(const SavedMatch& saved);
  // Plays a recorded match again as it was played, in the window where
  // `watched` (ESC ends it), else unseen; the game then stands where it stood
  // before. Needs `journal`.
  struct ReplayOutcome {
    // The replay's start is not one this game can play from.
    bool refused = false;
    replay::MatchResult result;
    replay::JournalPlatform::ReplayEnd end;
  };
  ReplayOutcome WatchReplay(const replay::Replay& recorded, bool watched);
  // After the title picture: where a match was interrupted, asks whether to
  // continue it, and does so or drops it.
  void OfferSavedMatch();
  // Shutdown after the main menu has returned.
  void Shutdown();

  // The info screens and the options.
  void RunHelp();
  void RunCredits();
  void RunOptionsMenu();
  // The options menu's five value screens; each edits one option.
  void EditParticles();
  void EditRingWidth();
  void EditAiStrength();
  void EditGraphicSet();
  void EditSnakeGraphicSet();

  // Highscores, text entry, screenshots and the snake game.
  void ShowHighscores();
  // At the end of a one-player game, with its Score.
  void OfferHighscore(int32_t score);
  void EnterName(const char* place);
  void EnterFileName();
  void TakeScreenshot();
  void RunSnakeGame(bool standalone);
  void SnakeStep();
  // The snake's points times both multipliers, as the panel shows it.
  int32_t SnakeProduct() const;

  // F2 switches the music off and on, F3 the effects, on every screen; the
  // choice is kept for the next start.
  void FlipSoundSwitch(uint8_t key);
  SoundSwitches Switches() const { return {music.MusicOn(), sound.EffectsOn()}; }

  // The mouse pointer, drawn last on every screen that shows it.
  void DrawPointer();
  bool IsTwoPlayer() const { return kb::IsTwoPlayer(rules.match); }

  // Told the name of every screen as it starts; tests follow the screen flow
  // with it. Empty in the game.
  std::function<void(const char*)> OnScreen;
  void EnterScreen(const char* name) {
    if (OnScreen) OnScreen(name);
  }
  // Tells the player in a message box that a file of theirs was not saved,
  // once until a save of it succeeds again (`told` keeps that): a game
  // started from the desktop has no terminal to read the log in.
  void TellSaveFailure(const char* text, bool& told);

  platform::Platform& platform;
  Random random;
  Chance chance;
  Renderer renderer;
  SpriteDrawer sprites;
  TextDrawer text;
  InputDevice input;
  SoundSystem sound;
  MusicPlayer music;
  Resources resources;
  OptionValues options;
  RulesState rules;
  // Shares out the heavy drawing of an explosion's bursts.
  HelperThread helper;
  ParticleSystem particles;

  // State of the options screens.
  // A failed write of "Optionen.bin" has been told and not yet followed by a
  // good one.
  bool OptionsWriteReported = false;

  // State of the highscores, text entry, screenshots and snake game.
  Highscores highscores;
  bool HighscoresWriteReported = false;  // as OptionsWriteReported
  bool SwitchesWriteReported = false;    // as OptionsWriteReported
  TextBuffer ScreenshotName{};           // the last name typed for a screenshot
  SnakeGame snake;

  MatchCarryOver matchCarryOver;
  // Given on the command line or in the page's address: every one-player
  // match of the run starts on this board.
  uint32_t BoardNumber = kNoBoardNumber;
  // Where `platform` is this, every match is recorded into the player's
  // replays and a replay can be watched; none in most tests.
  replay::JournalPlatform* journal = nullptr;

  // What of the game's own a match starts from, for a replay: the rules'
  // state, the options, the pointer and keys, the music, the frame-rate
  // counter; and the saved match it continues, if any. Load is false for
  // bytes that Save did not give.
  std::vector<uint8_t> SaveMatchStart(const SavedMatch* resumed);
  bool LoadMatchStart(std::span<const uint8_t> start, std::optional<SavedMatch>& resumed);

 private:
  void ShowTitle();
  // A match, recorded where there is a journal, then the highscore entry of
  // a game lost.
  void PlayMatch(const SavedMatch* resumed);
  // Rests on a picture that is not redrawn until `keyCode` is down or the
  // left (or, with `rightButton`, the right) button pressed; the music plays on.
  void WaitForKeyOrButton(uint8_t keyCode, bool rightButton);
};

}  // namespace kb
