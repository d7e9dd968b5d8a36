#pragma once

#include <cstdint>
#include <span>

namespace kb {

// One line of text drawn over the board.
struct MessageLine {
  const char* text;  // valid only during the call
  int32_t x;
  int32_t y;
  uint32_t colour;  // ARGB
};

enum class MessageFrame {
  kCurrent,  // drawn into the frame being built, then presented
  kFresh,    // drawn alone into a new frame
};

// What the rules ask of the match screen, called at the moment the step does it.
// No call may change the rules' state; the defaults do nothing.
class RulesObserver {
 public:
  virtual ~RulesObserver() = default;

  // Present the lines, then a pause of pauseMs in which only the music runs.
  virtual void ShowMessage(std::span<const MessageLine> /*lines*/, int32_t /*pauseMs*/,
                           MessageFrame /*frame*/) {}
  // A pause without a message (the short pause before a removal).
  virtual void Pause(int32_t /*ms*/) {}
  virtual void PlaySound(const char* /*fileName*/) {}
  // The particle cloud of a removed stone; the centre is the cell's, without any
  // screen offset of the right half.
  virtual void StartParticles(int32_t /*column*/, int32_t /*row*/, int32_t /*centreX*/,
                              int32_t /*centreY*/) {}
  // The removal step has taken both mouse buttons as handled.
  virtual void ClearButtons() {}
};

}  // namespace kb
