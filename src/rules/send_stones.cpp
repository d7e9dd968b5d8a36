#include "rules/send_stones.h"

#include <array>

namespace kb {
namespace {

constexpr uint32_t kConnectorChance = 50;
// MENDED: the generator reaches every column long before this many draws; the bound
// only keeps a broken random source from hanging the game.
constexpr int32_t kMaxColumnDraws = 1 << 16;

int32_t ColumnHeight(const Board& board, int32_t column, int32_t from = 0) {
  int32_t height = from;
  while (height < kBoardSize && board.cells[kBoardSize - 1 - height][column] != kEmpty) ++height;
  return height;
}

class HalfStacks {
 public:
  HalfStacks(Board& board, int32_t firstColumn) : board_(board), firstColumn_(firstColumn) {
    for (int32_t c = 0; c < kHalfWidth; ++c) heights_[c] = ColumnHeight(board, firstColumn + c);
  }

  // Takes the top cell of a randomly drawn column that still has room.
  // MENDED: a gap that settling left under stones is filled first, and the stack
  // then counts on past the stones above it, so a sent stone never lands on a stone.
  StoneCode& Claim(Chance& chance) {
    const int32_t c = DrawColumn(chance);
    StoneCode& cell = board_.cells[kBoardSize - 1 - heights_[c]][firstColumn_ + c];
    heights_[c] = ColumnHeight(board_, firstColumn_ + c, heights_[c] + 1);
    return cell;
  }

 private:
  int32_t DrawColumn(Chance& chance) const {
    for (int32_t draw = 0; draw < kMaxColumnDraws; ++draw) {
      const auto c = static_cast<int32_t>(chance.Below(kHalfWidth));
      if (heights_[c] < kBoardSize) return c;
    }
    for (int32_t c = 0; c < kHalfWidth; ++c) {
      if (heights_[c] < kBoardSize) return c;
    }
    return 0;
  }

  Board& board_;
  int32_t firstColumn_;
  std::array<int32_t, kHalfWidth> heights_{};
};

}  // namespace

int32_t HalfHeight(const Board& board, BoardRegion half) {
  const ColumnRange columns = RegionColumns(half);
  int32_t total = 0;
  for (int32_t column = columns.first; column <= columns.last; ++column) {
    total += ColumnHeight(board, column);
  }
  return total;
}

int32_t StonesIn(const Board& board, BoardRegion region) {
  const ColumnRange columns = RegionColumns(region);
  int32_t stones = 0;
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = columns.first; column <= columns.last; ++column) {
      stones += board.cells[row][column] != kEmpty ? 1 : 0;
    }
  }
  return stones;
}

int32_t ExtraStones(int32_t groupSize) {
  return (groupSize / 5) * (groupSize / 5);
}

int32_t SendStones(RulesState& state, int32_t sender, Chance& chance) {
  if (sender != kRightPlayer && sender != kLeftPlayer) return 0;
  const int32_t size = sender == kRightPlayer ? state.GroupSizeA : state.GroupSizeB;
  if (size <= 0) return 0;
  const BoardRegion target =
      sender == kRightPlayer ? BoardRegion::LeftHalf : BoardRegion::RightHalf;
  // 64-bit, so that no group size can overflow the room test.
  // MENDED: the room is every empty cell: with a gap under stones the stacks' heights
  // alone would promise cells that only the stones above the gap occupy.
  const int64_t extra = static_cast<int64_t>(size / 5) * (size / 5);
  if (size + extra > kHalfCells - StonesIn(state.board, target)) return sender;

  HalfStacks stacks(state.board, RegionColumns(target).first);
  for (int64_t i = 0; i < extra; ++i) stacks.Claim(chance) = kIndestructible;
  for (int32_t i = 0; i < size; ++i) {
    // The column is drawn before the colour, and the connector chance after writing it.
    StoneCode& cell = stacks.Claim(chance);
    cell = static_cast<StoneCode>(chance.Below(4) + 1);
    if (chance.Below(kConnectorChance) == 0) cell = kConnector;
  }
  return 0;
}

}  // namespace kb
