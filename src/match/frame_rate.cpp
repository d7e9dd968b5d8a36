#include <cstdio>

#include "app/game.h"
#include "core/colours.h"

namespace kb {
namespace {

// The frame-rate table right-aligns its values on their decimal points.
int32_t RateDigits(double value) {
  if (value < 10.0) return 1;
  if (value < 100.0) return 2;
  if (value < 1000.0) return 3;
  return 4;
}

}  // namespace

double Game::MeasureFrameRate(bool draw) {
  const int32_t x = IsTwoPlayer() ? -384 : 0;
  ++PassCount;
  CurrentCounter = platform.clock.PerformanceCounter();
  // MENDED: two reads of the same counter value would divide by zero; the rate
  // of the pass before stands for such a pass.
  if (CurrentCounter > LastCounter) {
    CurrentRate =
        static_cast<double>(CounterFrequency) / static_cast<double>(CurrentCounter - LastCounter);
  }
  LastCounter = CurrentCounter;
  if (CurrentRate > BestRate) BestRate = CurrentRate;
  const uint64_t sinceStart = CurrentCounter - MatchStartCounter;
  const double average = sinceStart > 0 ? static_cast<double>(PassCount) *
                                              static_cast<double>(CounterFrequency) /
                                              static_cast<double>(sinceStart)
                                        : CurrentRate;
  if (draw) {
    char value[48];
    text.DrawText("Framerate:", 780 + x, 0, kWhite);
    const struct {
      const char* label;
      double value;
      int32_t y;
    } rows[] = {
        {"aktuell", CurrentRate, 20}, {"Durchschnitt", average, 40}, {"bester Wert", BestRate, 60}};
    for (const auto& row : rows) {
      text.DrawText(row.label, 780 + x, row.y, kWhite);
      std::snprintf(value, sizeof value, "%f", row.value);
      text.DrawText(value, 950 - 10 * RateDigits(row.value) + x, row.y, kWhite);
    }
  }
  return CurrentRate;
}

}  // namespace kb
