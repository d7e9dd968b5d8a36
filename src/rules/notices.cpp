#include "rules/notices.h"

#include "core/colours.h"
#include "rules/messages.h"

namespace kb {

void ShowNotice(RulesObserver& observer, const char* text, uint32_t colour, MessageFrame frame) {
  const MessageLine line{text, kMessageX, kMessageY, colour};
  observer.ShowMessage({&line, 1}, kShortPauseMs, frame);
}

void ShowSwapWarning(RulesObserver& observer, MessageFrame frame) {
  ShowNotice(observer, kFinishSwapText, kRed, frame);
}

}  // namespace kb
