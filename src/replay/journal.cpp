#include "replay/journal.h"

#include <algorithm>

namespace kb::replay {

// What the coding learns as it goes, and what it predicts from: the clock
// readings are coded as their distance from the last reading plus the waits
// since, which is nearly always a small number.
struct JournalModels {
  // The kinds follow a pattern pass after pass: each is learnt after the
  // three before it.
  std::array<SymbolModel<4>, kAnswerKinds * kAnswerKinds * kAnswerKinds> kinds{};
  std::array<Answer, 3> before{Answer::kPresent, Answer::kPresent, Answer::kPresent};

  // A reading after a wait differs from one straight after another, and a
  // pass that drew a frame takes longer than one that did not.
  std::array<NumberModel, 2 * kAnswerKinds> tick{};
  uint64_t lastTick = 0;
  uint64_t sleptSinceTick = 0;
  std::array<NumberModel, 4> counter{};
  uint64_t counterFrequency = 0;
  uint64_t lastCounter = 0;
  uint64_t sleptSinceCounter = 0;
  bool presentedSinceCounter = false;
  // Waits are mostly whole milliseconds, up to ten, and follow each other in
  // a pattern; others are coded as numbers.
  std::array<BitModel, 16> sleepWhole{};
  std::array<SymbolModel<4>, 16> sleepMs{};
  NumberModel sleep;
  uint32_t lastSleepMs = 0;

  NumberModel changeCount;
  SymbolModel<3> changeKind;
  SymbolModel<8> keyCode;
  std::array<BitModel, 3> down{};
  NumberModel moveX;
  NumberModel moveY;

  NumberModel other;
  BitModel bytesKept;
  NumberModel byteCount;
  SymbolModel<8> byte;
};

namespace {

template <class Coding>
void CodeSigned(Coding& coding, NumberModel& model, uint64_t& value, uint64_t predicted) {
  int64_t off = static_cast<int64_t>(value - predicted);
  model.CodeSigned(coding, off);
  value = predicted + static_cast<uint64_t>(off);
}

template <class Coding>
void CodeChange(Coding& coding, JournalModels& m, platform::InputChange& change) {
  using Kind = platform::InputChange::Kind;
  auto kind = static_cast<uint32_t>(change.kind);
  m.changeKind.Code(coding, kind);
  change.kind = static_cast<Kind>(std::min<uint32_t>(kind, static_cast<uint32_t>(Kind::kPlace)));
  uint32_t down = change.down ? 1 : 0;
  switch (change.kind) {
    case Kind::kKey: {
      uint32_t code = change.code;
      m.keyCode.Code(coding, code);
      change.code = static_cast<uint8_t>(code);
      coding.Bit(m.down[0], down);
      break;
    }
    case Kind::kLeftButton:
      coding.Bit(m.down[1], down);
      break;
    case Kind::kRightButton:
      coding.Bit(m.down[2], down);
      break;
    case Kind::kMove:
    case Kind::kPlace: {
      int64_t dx = change.dx;
      int64_t dy = change.dy;
      m.moveX.CodeSigned(coding, dx);
      m.moveY.CodeSigned(coding, dy);
      change.dx = static_cast<int32_t>(dx);
      change.dy = static_cast<int32_t>(dy);
      break;
    }
    case Kind::kLetGo:
    case Kind::kClear:
      break;
  }
  change.down = down != 0;
}

template <class Coding>
void CodeEntry(Coding& coding, JournalModels& m, JournalEntry& e) {
  auto kind = static_cast<uint32_t>(e.kind);
  const auto [a, b, c] = m.before;
  m.kinds[(static_cast<size_t>(a) * kAnswerKinds + static_cast<size_t>(b)) * kAnswerKinds +
          static_cast<size_t>(c)]
      .Code(coding, kind);
  const Answer previous = c;
  e.kind = static_cast<Answer>(std::min<size_t>(kind, kAnswerKinds - 1));
  m.before = {b, c, e.kind};

  switch (e.kind) {
    case Answer::kTick: {
      // 32 bits, and so is the wait: the tick wraps after 49 days.
      const uint64_t predicted = (m.lastTick + m.sleptSinceTick / 1000u) & 0xFFFFFFFFu;
      const size_t context = static_cast<size_t>(previous) * 2 + (m.sleptSinceTick > 0 ? 1 : 0);
      CodeSigned(coding, m.tick[context], e.value, predicted);
      e.value &= 0xFFFFFFFFu;
      m.lastTick = e.value;
      m.sleptSinceTick = 0;
      break;
    }
    case Answer::kCounter: {
      const size_t context = (m.sleptSinceCounter > 0 ? 1 : 0) + (m.presentedSinceCounter ? 2 : 0);
      const uint64_t slept = m.sleptSinceCounter * m.counterFrequency / 1000000u;
      CodeSigned(coding, m.counter[context], e.value, m.lastCounter + slept);
      m.lastCounter = e.value;
      m.sleptSinceCounter = 0;
      m.presentedSinceCounter = false;
      break;
    }
    case Answer::kSleep: {
      const bool fits = e.value % 1000u == 0 && e.value / 1000u < 16;
      uint32_t whole = fits ? 1 : 0;
      coding.Bit(m.sleepWhole[m.lastSleepMs], whole);
      if (whole != 0) {
        auto ms = static_cast<uint32_t>(e.value / 1000u);
        m.sleepMs[m.lastSleepMs].Code(coding, ms);
        e.value = uint64_t{ms} * 1000u;
        m.lastSleepMs = ms;
      } else {
        m.sleep.Code(coding, e.value);
        e.value &= 0xFFFFFFFFu;
        m.lastSleepMs = 0;
      }
      m.sleptSinceTick += e.value;
      m.sleptSinceCounter += e.value;
      break;
    }
    case Answer::kPoll: {
      uint64_t count = e.changes.size();
      m.changeCount.Code(coding, count);
      // Each change takes at least a bit; a count beyond what is left of the
      // data is damage, caught by the reader's overrun.
      e.changes.resize(std::min<uint64_t>(count, 1u << 16));
      for (platform::InputChange& change : e.changes) CodeChange(coding, m, change);
      break;
    }
    case Answer::kPresent:
      m.presentedSinceCounter = true;
      break;
    case Answer::kRead: {
      m.other.Code(coding, e.value);
      uint32_t kept = e.bytesKept ? 1 : 0;
      coding.Bit(m.bytesKept, kept);
      e.bytesKept = kept != 0;
      if (!e.bytesKept) break;
      uint64_t count = e.bytes.size();
      m.byteCount.Code(coding, count);
      e.bytes.resize(std::min<uint64_t>(count, kKeptReadBytes));
      for (uint8_t& b : e.bytes) {
        uint32_t symbol = b;
        m.byte.Code(coding, symbol);
        b = static_cast<uint8_t>(symbol);
      }
      break;
    }
    case Answer::kMachineTicks:
    case Answer::kFrequency:
    case Answer::kWrite:
    case Answer::kMakeFolder:
    case Answer::kRemove:
    case Answer::kAudioAvailable:
    case Answer::kLoadEffect:
    case Answer::kPlayMusic:
      m.other.Code(coding, e.value);
      break;
  }
}

}  // namespace

JournalWriter::JournalWriter(uint64_t counterFrequency)
    : models_(std::make_unique<JournalModels>()) {
  models_->counterFrequency = counterFrequency;
}
JournalWriter::~JournalWriter() = default;

void JournalWriter::Add(JournalEntry entry) {
  Encoding coding(coder_);
  CodeEntry(coding, *models_, entry);
  ++entries_;
}

JournalReader::JournalReader(std::span<const uint8_t> body, uint32_t entries,
                             uint64_t counterFrequency)
    : coder_(body), models_(std::make_unique<JournalModels>()), left_(entries) {
  // A frequency beyond a gigahertz is no counter's; it would only overflow.
  models_->counterFrequency = std::min<uint64_t>(counterFrequency, 1000000000u);
}
JournalReader::~JournalReader() = default;

bool JournalReader::Next(JournalEntry& entry) {
  if (left_ == 0 || coder_.Overran()) return false;
  --left_;
  Decoding coding(coder_);
  entry = JournalEntry{};
  CodeEntry(coding, *models_, entry);
  return !coder_.Overran();
}

}  // namespace kb::replay
