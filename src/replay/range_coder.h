#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kb::replay {

// An adaptive binary range coder: each bit is coded with a probability that
// learns from the bits coded with it before, so that what repeats costs next
// to nothing. A replay is mostly such repetition (the same kinds of answers
// pass after pass, clock readings close to what the waits predict).
class BitModel {
 public:
  static constexpr uint32_t kBits = 11;
  static constexpr uint32_t kOne = 1u << kBits;
  uint32_t ZeroChance() const { return zero_; }
  void Learn(uint32_t bit) {
    if (bit == 0) {
      zero_ += (kOne - zero_) >> kAdaptShift;
    } else {
      zero_ -= zero_ >> kAdaptShift;
    }
  }

 private:
  static constexpr uint32_t kAdaptShift = 5;
  uint32_t zero_ = kOne / 2;
};

class RangeEncoder {
 public:
  void Bit(BitModel& model, uint32_t bit);
  // A bit as likely 0 as 1, learnt from nothing.
  void EvenBit(uint32_t bit);
  // The coded bytes; nothing may be coded after.
  std::vector<uint8_t> Finish();

 private:
  void ShiftLow();
  void Normalise();

  uint64_t low_ = 0;
  uint32_t range_ = 0xFFFFFFFFu;
  uint8_t cache_ = 0;
  uint64_t cacheSize_ = 1;
  std::vector<uint8_t> out_;
};

class RangeDecoder {
 public:
  explicit RangeDecoder(std::span<const uint8_t> in);
  uint32_t Bit(BitModel& model);
  uint32_t EvenBit();
  // More bytes were asked for than the coder wrote: the data is damaged.
  bool Overran() const { return next_ > in_.size() + kTrailingBytes; }

 private:
  // What Finish writes beyond the last byte a decoder needs.
  static constexpr size_t kTrailingBytes = 4;
  uint8_t NextByte() { return next_ < in_.size() ? in_[next_++] : (++next_, 0); }
  void Normalise();

  std::span<const uint8_t> in_;
  size_t next_ = 0;
  uint32_t range_ = 0xFFFFFFFFu;
  uint32_t code_ = 0;
};

// One description of a format serves both ways: a coding passes each value
// by reference, the encoding reads it and the decoding writes it.
class Encoding {
 public:
  explicit Encoding(RangeEncoder& coder) : coder_(coder) {}
  void Bit(BitModel& model, uint32_t& bit) { coder_.Bit(model, bit); }
  void EvenBit(uint32_t& bit) { coder_.EvenBit(bit); }

 private:
  RangeEncoder& coder_;
};

class Decoding {
 public:
  explicit Decoding(RangeDecoder& coder) : coder_(coder) {}
  void Bit(BitModel& model, uint32_t& bit) { bit = coder_.Bit(model); }
  void EvenBit(uint32_t& bit) { bit = coder_.EvenBit(); }

 private:
  RangeDecoder& coder_;
};

// A symbol of `Bits` bits, coded from its highest bit down, each bit under
// the bits above it.
template <uint32_t Bits>
class SymbolModel {
 public:
  template <class Coding>
  void Code(Coding& coding, uint32_t& symbol) {
    uint32_t node = 1;
    for (uint32_t i = Bits; i-- > 0;) {
      uint32_t bit = (symbol >> i) & 1u;
      coding.Bit(nodes_[node], bit);
      node = node * 2 + bit;
    }
    symbol = node - (1u << Bits);
  }

 private:
  std::array<BitModel, size_t{1} << Bits> nodes_{};
};

// An unsigned number of up to 64 bits: its length is learnt as a symbol, its
// three bits below the leading one are learnt per length, the rest are even.
class NumberModel {
 public:
  template <class Coding>
  void Code(Coding& coding, uint64_t& value) {
    uint32_t length = 0;
    while (length < 64 && (value >> length) != 0) ++length;
    lengths_.Code(coding, length);
    if (length > 64) length = 64;  // only a damaged file codes more
    if (length <= 1) {
      value = length;
      return;
    }
    uint64_t result = 1;
    for (uint32_t i = length - 1; i-- > 0;) {
      uint32_t bit = static_cast<uint32_t>(value >> i) & 1u;
      const uint32_t learnt = length - 1 - i;
      if (learnt <= kLearntBits) {
        coding.Bit(high_[length][(result & 7u) | (learnt << 3)], bit);
      } else {
        coding.EvenBit(bit);
      }
      result = result << 1 | bit;
    }
    value = result;
  }

  // Signed numbers zigzagged: 0, -1, 1, -2, ... become 0, 1, 2, 3, ...
  template <class Coding>
  void CodeSigned(Coding& coding, int64_t& value) {
    uint64_t zigzag = (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63);
    Code(coding, zigzag);
    value = static_cast<int64_t>(zigzag >> 1) ^ -static_cast<int64_t>(zigzag & 1u);
  }

 private:
  static constexpr uint32_t kLearntBits = 3;
  SymbolModel<7> lengths_;
  std::array<std::array<BitModel, 32>, 65> high_{};
};

}  // namespace kb::replay
