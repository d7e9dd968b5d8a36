#pragma once

#include <cstdint>
#include <optional>

#include "app/game.h"
#include "gfx/image.h"
#include "replay/replay_file.h"
#include "rules/player_input.h"
#include "saves/match_file.h"

namespace kb {

struct MatchEnd {
  // Lost by its own course: the highscore entry follows.
  bool gameOver = false;
  replay::MatchResult result;
};

// The match: its loop of passes and drawing bursts, the board and panels it
// draws, and the state only the match keeps. Game::RunMatch makes one for
// each match; what outlives a match is kept in Game::matchCarryOver.
class MatchScreen {
 public:
  explicit MatchScreen(Game& game);

  // Until ESC, the Exit button or the end of the game; a new match, or the
  // saved one continued where it stood.
  MatchEnd Run(const SavedMatch* resumed = nullptr);

  // The board with the explosions under way; the benchmarks and the
  // explosion tests draw these alone.
  void DrawBoard();
  void DrawCellExplosion(int32_t column, int32_t row);

 private:
  void DrawStone(int32_t column, int32_t row, int32_t left);
  void DrawPointsPanel();
  void DrawScorePanel();
  void DrawBoutResult();
  void DrawStoneCounts();
  void DrawGroupPanel();
  void DrawCursors();
  void DrawMatchButtons();
  // Draws the frame-rate table when `draw`; returns the current rate.
  double MeasureFrameRate(bool draw);

  PlayerInput ReadPlayerInput() const;
  // A pass's read of the keyboard and the mouse: acted on in a burst only.
  void ReadMatchInput(bool burst);
  // False when the game has ended.
  bool RunDrawingBurst();
  MatchEnd End(bool gameOver) const;
  void AdvanceAnimation(double rate);
  // Starts a burst's frame: cleared, with the grid lines on it.
  void BeginGridFrame();
  void DrawGridLines();
  // Writes the match to the player's folder when its course has moved on
  // since the last write (a removal, a shuffle, a swap, an undo, a new level
  // or bout), or `always`.
  void KeepMatch(bool always);

  Game& game_;
  MatchCarryOver& carry_;

  // Frame timing of this match.
  int32_t nowTicks_ = 0;
  int32_t periodEndTicks_ = 0;
  uint64_t currentCounter_ = 0;
  uint64_t matchStartCounter_ = 0;
  uint64_t passCount_ = 0;
  double bestRate_ = 0.0;
  // The level being played, the match's first (or the one it was continued
  // on) counting as 1.
  int32_t levelsBegun_ = 1;

  // The cleared frame with the grid lines of the one-player (0) or the split
  // board (1), made on the first burst: copying it whole costs a third of
  // clearing the frame and drawing 62 lines, the upright ones a pixel a row.
  Image gridFrame_;
  int32_t gridFrameBoard_ = -1;
  // What KeepMatch wrote last.
  std::optional<SavedMatch> kept_;
};

}  // namespace kb
