#include "replay/range_coder.h"

namespace kb::replay {
namespace {

constexpr uint32_t kTop = 1u << 24;

}  // namespace

void RangeEncoder::Bit(BitModel& model, uint32_t bit) {
  const uint32_t bound = (range_ >> BitModel::kBits) * model.ZeroChance();
  if (bit == 0) {
    range_ = bound;
  } else {
    low_ += bound;
    range_ -= bound;
  }
  model.Learn(bit);
  Normalise();
}

void RangeEncoder::EvenBit(uint32_t bit) {
  range_ >>= 1;
  if (bit != 0) low_ += range_;
  Normalise();
}

void RangeEncoder::Normalise() {
  while (range_ < kTop) {
    range_ <<= 8;
    ShiftLow();
  }
}

// A carry out of the low end reaches bytes already decided: they wait in
// the cache (one byte and a run of 0xFF) until it is known.
void RangeEncoder::ShiftLow() {
  if (static_cast<uint32_t>(low_) < 0xFF000000u || (low_ >> 32) != 0) {
    const auto carry = static_cast<uint8_t>(low_ >> 32);
    uint8_t pending = cache_;
    do {
      out_.push_back(static_cast<uint8_t>(pending + carry));
      pending = 0xFF;
    } while (--cacheSize_ != 0);
    cache_ = static_cast<uint8_t>(low_ >> 24);
  }
  ++cacheSize_;
  low_ = (low_ & 0x00FFFFFFu) << 8;
}

std::vector<uint8_t> RangeEncoder::Finish() {
  for (int i = 0; i < 5; ++i) ShiftLow();
  return std::move(out_);
}

RangeDecoder::RangeDecoder(std::span<const uint8_t> in) : in_(in) {
  for (int i = 0; i < 5; ++i) code_ = code_ << 8 | NextByte();
}

uint32_t RangeDecoder::Bit(BitModel& model) {
  const uint32_t bound = (range_ >> BitModel::kBits) * model.ZeroChance();
  uint32_t bit = 0;
  if (code_ < bound) {
    range_ = bound;
  } else {
    code_ -= bound;
    range_ -= bound;
    bit = 1;
  }
  model.Learn(bit);
  Normalise();
  return bit;
}

uint32_t RangeDecoder::EvenBit() {
  range_ >>= 1;
  uint32_t bit = 0;
  if (code_ >= range_) {
    code_ -= range_;
    bit = 1;
  }
  Normalise();
  return bit;
}

void RangeDecoder::Normalise() {
  while (range_ < kTop) {
    range_ <<= 8;
    code_ = code_ << 8 | NextByte();
  }
}

}  // namespace kb::replay
