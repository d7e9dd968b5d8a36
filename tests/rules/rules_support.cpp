#include "rules_support.h"

#include <cstdio>
#include <stdexcept>

namespace kb::test {

Board BoardOf(std::initializer_list<const char*> rows) {
  if (rows.size() > static_cast<size_t>(kBoardSize)) throw std::invalid_argument("too many rows");
  Board board{};
  FillBoardWith(board, kEmpty);
  int32_t row = kBoardSize - static_cast<int32_t>(rows.size());
  for (const char* text : rows) {
    const std::string line(text);
    if (line.size() != static_cast<size_t>(kBoardSize)) throw std::invalid_argument(line);
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const char c = line[column];
      board.SetCell(row, column, c == '.' ? kEmpty : static_cast<StoneCode>(c - '0'));
    }
    ++row;
  }
  return board;
}

std::string BoardText(const Board& board) {
  std::string text;
  for (const auto& row : board.cells) {
    for (StoneCode code : row) text += code == kEmpty ? '.' : static_cast<char>('0' + code);
    text += '\n';
  }
  return text;
}

int32_t CountCode(const Board& board, StoneCode code) {
  int32_t count = 0;
  for (const auto& row : board.cells) {
    for (StoneCode c : row) count += c == code ? 1 : 0;
  }
  return count;
}

Board NoGroups(int32_t firstRow) {
  Board board{};
  FillBoardWith(board, kEmpty);
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = firstRow; row < kBoardSize; ++row) {
      board.SetCell(row, column, static_cast<StoneCode>((column + row) % 2 + 1));
    }
  }
  return board;
}

void RecordingObserver::ShowMessage(std::span<const MessageLine> lines, int32_t pauseMs,
                                    MessageFrame frame) {
  std::string event = frame == MessageFrame::kFresh ? "fresh message" : "message";
  for (const MessageLine& line : lines) {
    char where[64];
    std::snprintf(where, sizeof where, " @%d,%d #%08X", line.x, line.y, line.colour);
    event += " [" + std::string(line.text) + where + "]";
  }
  events.push_back(event + " pause " + std::to_string(pauseMs));
}

void RecordingObserver::Pause(int32_t ms) {
  events.push_back("pause " + std::to_string(ms));
}

void RecordingObserver::PlaySound(const char* fileName) {
  events.push_back(std::string("sound ") + fileName);
}

void RecordingObserver::StartParticles(int32_t column, int32_t row, int32_t centreX,
                                       int32_t centreY) {
  char text[64];
  std::snprintf(text, sizeof text, "particles %d,%d at %d,%d", column, row, centreX, centreY);
  events.push_back(text);
}

void RecordingObserver::ClearButtons() {
  events.push_back("clear buttons");
}

int32_t RecordingObserver::Count(const std::string& prefix) const {
  int32_t count = 0;
  for (const std::string& event : events) count += event.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

}  // namespace kb::test
