#include "match/match_observer.h"

#include "app/game.h"
#include "rules/cursor.h"

namespace kb {

void MatchObserver::ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                                MessageFrame frame) {
  if (frame == MessageFrame::kFresh) game_.renderer.BeginFrame();
  for (const MessageLine& line : lines) game_.text.DrawText(line.text, line.x, line.y, line.colour);
  game_.renderer.EndFrame();
  game_.music.WaitWithMusic(pauseMs);
  // A tap let go while the message stood was not meant for the board after it.
  game_.input.DropTaps();
}

void MatchObserver::Pause(int32_t ms) {
  game_.music.WaitWithMusic(ms);
}

void MatchObserver::PlaySound(const char* fileName) {
  game_.sound.PlaySoundEffect(fileName);
}

void MatchObserver::StartParticles(int32_t column, int32_t row, int32_t centreX, int32_t centreY) {
  const int32_t offset = game_.IsTwoPlayer() && column >= kHalfWidth ? kRightHalfShift : 0;
  game_.particles.SpawnParticles(game_.rules.effects.ParticleGrid, column, row, centreX, centreY,
                                 offset, game_.options.ParticlesPerStone, game_.chance);
}

void MatchObserver::ClearButtons() {
  game_.input.ClearButtons();
}

}  // namespace kb
