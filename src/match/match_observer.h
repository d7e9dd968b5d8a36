#pragma once

#include "rules/rules_observer.h"

namespace kb {

class Game;

// What the rules ask of the match screen: messages drawn and presented with
// their pauses, sounds and particle clouds.
class MatchObserver final : public RulesObserver {
 public:
  explicit MatchObserver(Game& game) : game_(game) {}

  void ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                   MessageFrame frame) override;
  void Pause(int32_t ms) override;
  void PlaySound(const char* fileName) override;
  void StartParticles(int32_t column, int32_t row, int32_t centreX, int32_t centreY) override;
  void ClearButtons() override;

 private:
  Game& game_;
};

}  // namespace kb
