#include "event_log.h"

#include <cstdio>
#include <ostream>
#include <string_view>
#include <utility>

namespace kb {
namespace {

// The texts are Windows-1252; their bytes beyond ASCII are written as \xNN, so the
// answers stay plain ASCII.
void AppendText(std::string& event, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      event += c;
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    event += escaped;
  }
}

// A sound's file name without its folder.
std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

void EventLog::ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                           MessageFrame frame) {
  std::string event = "message \"";
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) event += " / ";
    AppendText(event, lines[i].text);
  }
  event += "\" " + std::to_string(pauseMs) + "ms";
  if (frame == MessageFrame::kFresh) event += " fresh";
  Note(std::move(event));
}

void EventLog::Pause(int32_t ms) {
  Note("pause " + std::to_string(ms) + "ms");
}

void EventLog::PlaySound(const char* fileName) {
  Note("sound " + std::string(BaseName(fileName)));
}

void EventLog::Note(std::string event) {
  if (!entries_.empty() && entries_.back().event == event) {
    ++entries_.back().count;
    return;
  }
  entries_.push_back({std::move(event), 1});
}

void EventLog::WriteAndClear(std::ostream& out) {
  const char* separator = " | ";
  for (const Entry& entry : entries_) {
    out << separator << entry.event;
    if (entry.count > 1) out << " x" << entry.count;
    separator = "; ";
  }
  entries_.clear();
}

}  // namespace kb
