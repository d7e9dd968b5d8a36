#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/fixed_ticks.h"
#include "core/random.h"
#include "event_log.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"
#include "rules_burst.h"
#include "snake/snake_game.h"

namespace kb {

// The command interpreter of klotz-rules: one command a line on the input, its answer
// on the output; a malformed line is answered "error" and a reason. State carries over
// from one command to the next, as in a match.
class RulesDriver {
 public:
  RulesDriver();
  void Run(std::istream& in, std::ostream& out);

 private:
  using Words = std::vector<std::string_view>;

  void Handle(const Words& words, std::istream& in, std::ostream& out);
  void Mode(const Words& words, std::ostream& out);
  void SeedRandom(const Words& words, std::ostream& out);
  void ReadBoard(const Words& words, std::istream& in, std::ostream& out);
  void Fill(const Words& words, std::ostream& out);
  void Group(const Words& words, std::ostream& out);
  void Settle(const Words& words, std::ostream& out);
  void Remove(const Words& words, std::ostream& out);
  void Send(const Words& words, std::ostream& out);
  void Plan(const Words& words, std::ostream& out);
  void ShuffleBoard(const Words& words, std::ostream& out);
  void Check(const Words& words, std::ostream& out);
  void Print(const Words& words, std::ostream& out);

  // Whole games, burst by burst in the match loop's order (match_commands.cpp), and the
  // snake game step by step (snake_commands.cpp).
  void Start(const Words& words, std::ostream& out);
  void Burst(const Words& words, std::ostream& out);
  void Bursts(const Words& words, std::ostream& out);
  void Play(const Words& words, std::ostream& out);
  void SnakeStart(const Words& words, std::ostream& out);
  void SnakeStep(const Words& words, std::ostream& out);
  void SnakePlay(const Words& words, std::ostream& out);

  struct DrivenBurst {
    BurstOutcome outcome;
    bool boutBegun = false;  // the bout end's countdown has just filled the board anew
  };
  // The bonus countdown of one burst's passes, the snake bonus when it is due, then the
  // burst's rules; what the rules told is kept in log_.
  DrivenBurst DriveBurst(const PlayerInput& held);
  // One player's next move by the fixed choices; false when none is left.
  bool PlayOneMove(int32_t move, std::ostream& out);
  void PlayVersus(int32_t bouts, std::ostream& out);
  // The snake round under way, played to its end by the fixed steering, with a line
  // for every turn, egg and the end when `lines` is given.
  void PlaySnakeToEnd(std::ostream* lines);
  void WriteMatchLine(std::ostream& out);
  void WriteMilestones(const DrivenBurst& burst, std::ostream& out) const;
  void WriteSnakeLine(std::ostream& out) const;

  void PrintBoard(std::ostream& out) const;

  RulesState state_;
  Random random_;
  FixedTicks ticks_;
  Chance chance_;
  RulesObserver observer_;
  EventLog log_;
  bool matchRunning_ = false;
  int32_t burstCount_ = 0;
  int32_t level_ = 0;
  SnakeGame snake_;
  int32_t snakeSteps_ = 0;
  bool snakeRunning_ = false;
};

}  // namespace kb
