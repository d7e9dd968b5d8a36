#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/fixed_ticks.h"
#include "core/random.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

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

  void PrintBoard(std::ostream& out) const;

  RulesState state_;
  Random random_;
  FixedTicks ticks_;
  Chance chance_;
  RulesObserver observer_;
};

}  // namespace kb
