#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "rules/rules_observer.h"

namespace kb {

// A rules observer that writes down what the rules tell the match screen: messages
// with their text and pause, pauses and sounds, and the driver's own notes such as a
// snake round. The same event told several times in a row is kept once with its count.
// Particle clouds and cleared buttons are left out: the board already shows them.
class EventLog : public RulesObserver {
 public:
  void ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                   MessageFrame frame) override;
  void Pause(int32_t ms) override;
  void PlaySound(const char* fileName) override;
  void Note(std::string event);

  bool Empty() const { return entries_.empty(); }
  // " | " and the events, separated by "; ", or nothing without events; then forgets them.
  void WriteAndClear(std::ostream& out);

 private:
  struct Entry {
    std::string event;
    int32_t count;
  };
  std::vector<Entry> entries_;
};

}  // namespace kb
