#pragma once

#include <cstdint>

#include "rules/board.h"
#include "rules/cursor.h"

namespace kb {

// A screen position in pixels; x = -1 stands for "none".
struct ScreenPoint {
  int32_t x = -1;
  int32_t y = -1;
  bool operator==(const ScreenPoint&) const = default;
};

enum UndoKind : int32_t {
  kUndoNothing = 0,
  kUndoRemoval = 1,
  kUndoShuffle = 2,
  kUndoSwapBegun = 3,
  kUndoSwapCompleted = 4,
};

// The one step that undo can take back; each kind uses only some of the fields.
struct UndoSnapshot {
  int32_t Kind = kUndoNothing;
  Board board{};
  int32_t Score = 0;
  int32_t Multiplier = 1;
  int32_t UltraMultiplier = 1;
  int32_t Lives = 0;
  bool operator==(const UndoSnapshot&) const = default;
};

// What one match carries. The defaults are a fresh one-player match; the fields the
// game object shares with the frame come first, in the game object's order.
struct MatchState {
  int32_t Cursor2X = kCursorHomeX;
  int32_t Cursor2Y = kCursorHomeY;
  int32_t CursorX = kCursorHomeX;
  int32_t CursorY = kCursorHomeY;
  int32_t HumanPlayers = 1;
  int32_t ComputerPlayers = 0;
  int32_t BoutWinner = 0;
  int32_t BoutEndCountdown = -1;
  int32_t WinsRight = 0;
  int32_t WinsLeft = 0;
  int32_t SwapPoints = 5;
  int32_t SwapPointsBeforeUndo = 0;
  uint8_t QuitRequested = 0;
  int32_t SwapModeArmed = 0;  // 0 off, 1 armed by its button, -1 a swap just completed

  uint8_t Turn = 0;  // two-player modes: 1 the right-half player, 0 the left-half player
  int32_t Score = 0;
  int32_t Lives = 2;
  ScreenPoint SwapFirst;  // centre of the first stone of a swap in progress
  int32_t SwapCooldown = 0;
  int32_t Multiplier = 1;
  int32_t UltraMultiplier = 1;
  int32_t BonusCountdown = 0;  // game-loop passes until the snake bonus starts
  int32_t BonusLevel = 0;      // 1 adds the ultra multiplier, 2 also an extra life
  UndoSnapshot Undo;
  bool operator==(const MatchState&) const = default;
};

constexpr bool IsTwoPlayer(const MatchState& match) {
  return match.HumanPlayers + match.ComputerPlayers >= 2;
}

// On the split board one of these holds: the computer plays the left half, or a second
// person does.
constexpr bool ComputerPlays(const MatchState& match) {
  return IsTwoPlayer(match) && match.ComputerPlayers > 0;
}

constexpr bool TwoHumansPlay(const MatchState& match) {
  return IsTwoPlayer(match) && match.ComputerPlayers == 0;
}

inline constexpr uint8_t kLeftOnTurn = 0;   // the second person or the computer
inline constexpr uint8_t kRightOnTurn = 1;  // the first person

constexpr bool SwapInProgress(const MatchState& match) {
  return match.SwapFirst.x != -1;
}

}  // namespace kb
