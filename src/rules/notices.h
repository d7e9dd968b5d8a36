#pragma once

#include "rules/rules_observer.h"

namespace kb {

// The one-line messages at the board's centre, each followed by its pause.
void ShowNotice(RulesObserver& observer, const char* text, uint32_t colour,
                MessageFrame frame = MessageFrame::kCurrent);

// Shown whenever a removal or shuffle is refused because a stone swap is in progress.
void ShowSwapWarning(RulesObserver& observer, MessageFrame frame = MessageFrame::kCurrent);

}  // namespace kb
