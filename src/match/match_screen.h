#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

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
  // What a cell draws (nothing, or a texture by a placement); the swap
  // marker is the look after the last cell's.
  struct StoneLook {
    TextureHandle texture = kNoHandle;
    SpritePlacement placement;
    bool operator==(const StoneLook&) const = default;
  };
  using BoardLooks = std::array<StoneLook, static_cast<size_t>(kBoardSize) * kBoardSize + 1>;
  StoneLook LookOfStone(int32_t column, int32_t row, int32_t left) const;
  BoardLooks LooksOfBoard() const;
  // The whole drawing of the board and its explosions, only the pixels
  // inside `clip`, a band of whole rows: the bands of the screen can be
  // drawn on two threads at once.
  void DrawBoardWithin(const BoardLooks& looks, PixelTarget target, PixelRect clip) const;
  void DrawCellExplosionWithin(int32_t column, int32_t row, PixelTarget target,
                               PixelRect clip) const;
  struct BoardBands;
  // The board's looks as they stand, drawn into the back buffer's board
  // part, which holds the board as the last burst drew it: only the places
  // of looks that changed are redrawn. False when that is not possible (an
  // explosion runs, a look reaches beyond the board, or many looks changed).
  bool RedrawChangedLooks(const BoardLooks& looks);
  // The grid frame's board part in the back buffer again, for a whole drawing.
  void ShowGridUnderBoard();
  // After a whole drawing of the board: keeps it, when it can be redrawn.
  void KeepBoardFrame(const BoardLooks& looks);
  // Whether the board as drawn with these looks can be kept and redrawn in
  // places; fills in where each look lies.
  using LookBounds = std::array<PixelRect, std::tuple_size_v<BoardLooks>>;
  bool BoardCanBeKept(const BoardLooks& looks, LookBounds& bounds) const;
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
  // The grid frame with the board as the last burst drew it, and what each
  // cell drew there, while no explosion runs. A burst starts from it instead
  // of the grid frame, and an idle match redraws only its turning group and
  // the cells that group overlaps.
  Image boardFrame_;
  BoardLooks keptLooks_{};
  bool boardFrameKept_ = false;
  // What the back buffer's board part holds when the burst draws the board.
  enum class BoardPart { kOther, kGrid, kKeptBoard };
  BoardPart boardPart_ = BoardPart::kOther;
  // What KeepMatch wrote last.
  std::optional<SavedMatch> kept_;
};

}  // namespace kb
