#include <cstdio>

#include "core/colours.h"
#include "match/match_screen.h"

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

double MatchScreen::MeasureFrameRate(bool draw) {
  const int32_t x = game_.IsTwoPlayer() ? -384 : 0;
  ++passCount_;
  currentCounter_ = game_.platform.clock.PerformanceCounter();
  // MENDED: two reads of the same counter value would divide by zero; the rate
  // of the pass before stands for such a pass.
  if (currentCounter_ > carry_.LastCounter) {
    carry_.CurrentRate = static_cast<double>(carry_.CounterFrequency) /
                         static_cast<double>(currentCounter_ - carry_.LastCounter);
  }
  carry_.LastCounter = currentCounter_;
  if (carry_.CurrentRate > bestRate_) bestRate_ = carry_.CurrentRate;
  const uint64_t sinceStart = currentCounter_ - matchStartCounter_;
  const double average = sinceStart > 0 ? static_cast<double>(passCount_) *
                                              static_cast<double>(carry_.CounterFrequency) /
                                              static_cast<double>(sinceStart)
                                        : carry_.CurrentRate;
  if (draw) {
    char value[48];
    game_.text.DrawText("Framerate:", 780 + x, 0, kWhite);
    const struct {
      const char* label;
      double value;
      int32_t y;
    } rows[] = {{"aktuell", carry_.CurrentRate, 20},
                {"Durchschnitt", average, 40},
                {"bester Wert", bestRate_, 60}};
    for (const auto& row : rows) {
      game_.text.DrawText(row.label, 780 + x, row.y, kWhite);
      std::snprintf(value, sizeof value, "%f", row.value);
      game_.text.DrawText(value, 950 - 10 * RateDigits(row.value) + x, row.y, kWhite);
    }
  }
  return carry_.CurrentRate;
}

}  // namespace kb
