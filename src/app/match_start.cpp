#include <cstring>

#include "app/game.h"
#include "core/little_endian.h"

namespace kb {
namespace {

// Everything of the game's own that a match reads before it writes it, in
// the order of the replay file's start: Save writes it and Load reads it back
// through this one list, so the two cannot drift apart.
template <class Field>
void VisitMatchStart(Game& game, Field& field) {
  RulesState& rules = game.rules;
  // The explosions are not kept: every match starts with none under way.
  for (auto& row : rules.marks) field.Bytes(row);
  field.Value(rules.KeyDelay);
  field.Value(rules.GroupSizeA);
  field.Value(rules.GroupSizeB);

  OptionValues& o = game.options;
  for (int32_t* v :
       {&o.ParticlesPerStone, &o.RingWidth, &o.AiStrength, &o.GraphicSet, &o.SnakeGraphicSet})
    field.Value(*v);
  field.Value(game.BoardNumber);

  MatchCarryOver& c = game.matchCarryOver;
  field.Value(c.CounterFrequency);
  field.Value(c.LastCounter);
  field.Value(c.CurrentRate);
  field.Value(c.SpinAngle);
  field.Value(c.PulseX);
  field.Value(c.PulseY);
  field.Value(c.PulseGrowing);

  InputDevice& in = game.input;
  for (int32_t* v :
       {&in.BufferedMouse, &in.PointerX, &in.PointerY, &in.LeftButton, &in.RightButton})
    field.Value(*v);
  field.Bytes(in.KeysRead());

  MusicPlayer::State music = game.music.Saved();
  field.Value(game.music.LastMusicTrack);
  field.Value(music.trackLengthMs[0]);
  field.Value(music.trackLengthMs[1]);
  field.Value(music.trackStart);
  field.Value(music.playingTrack);
  field.Value(music.playing);
  field.Value(music.unplayableInARow);
  // Switched off, the music reads and draws nothing, and the match's course
  // follows from that.
  field.Value(music.musicOn);
  game.music.Restore(music);
  bool effects = game.sound.EffectsOn();
  field.Value(effects);
  game.sound.SetEffectsOn(effects);

  field.Bytes(game.ScreenshotName);
}

// std::bit_cast, which the browser build's library lacks.
template <typename To, typename From>
To Bits(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  template <typename T>
  void Value(T& v) {
    if constexpr (sizeof(T) == 8) {
      const auto bits = Bits<uint64_t>(v);
      PutU32(out_, static_cast<uint32_t>(bits));
      PutU32(out_, static_cast<uint32_t>(bits >> 32));
    } else if constexpr (sizeof(T) == 4) {
      PutU32(out_, Bits<uint32_t>(v));
    } else {
      out_.push_back(static_cast<uint8_t>(v));
    }
  }
  template <typename Array>
  void Bytes(Array& bytes) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    out_.insert(out_.end(), p, p + bytes.size());
  }

 private:
  std::vector<uint8_t>& out_;
};

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> in) : in_(in) {}
  template <typename T>
  void Value(T& v) {
    if constexpr (sizeof(T) == 8) {
      if (const uint8_t* p = Take(8)) v = Bits<T>(GetU64(p));
    } else if constexpr (sizeof(T) == 4) {
      if (const uint8_t* p = Take(4)) v = Bits<T>(GetU32(p));
    } else {
      if (const uint8_t* p = Take(1)) v = static_cast<T>(*p);
    }
  }
  template <typename Array>
  void Bytes(Array& bytes) {
    if (const uint8_t* p = Take(bytes.size())) std::memcpy(bytes.data(), p, bytes.size());
  }
  bool Whole() const { return ok_ && at_ == in_.size(); }

 private:
  const uint8_t* Take(size_t n) {
    if (!ok_ || in_.size() - at_ < n) {
      ok_ = false;
      return nullptr;
    }
    at_ += n;
    return in_.data() + at_ - n;
  }

  std::span<const uint8_t> in_;
  size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::vector<uint8_t> Game::SaveMatchStart(const SavedMatch* resumed) {
  // The match's own values and the generator as the saved match keeps them,
  // then the one the match goes on from, if any.
  std::vector<uint8_t> out = EncodeSavedMatch(SaveOf(rules, random.State()));
  out.push_back(resumed != nullptr ? 1 : 0);
  if (resumed != nullptr) {
    const std::vector<uint8_t> saved = EncodeSavedMatch(*resumed);
    out.insert(out.end(), saved.begin(), saved.end());
  }
  Writer writer(out);
  VisitMatchStart(*this, writer);
  return out;
}

bool Game::LoadMatchStart(std::span<const uint8_t> start, std::optional<SavedMatch>& resumed) {
  if (start.size() < kSavedMatchBytes + 1) return false;
  const std::optional<SavedMatch> now = DecodeSavedMatch(start.first(kSavedMatchBytes));
  if (!now) return false;
  size_t at = kSavedMatchBytes + 1;
  resumed.reset();
  if (start[kSavedMatchBytes] == 1) {
    if (start.size() < at + kSavedMatchBytes) return false;
    resumed = DecodeSavedMatch(start.subspan(at, kSavedMatchBytes));
    if (!resumed) return false;
    at += kSavedMatchBytes;
  } else if (start[kSavedMatchBytes] != 0) {
    return false;
  }
  RestoreInto(*now, rules);
  random.Seed(now->RandomState);
  Reader reader(start.subspan(at));
  VisitMatchStart(*this, reader);
  return reader.Whole();
}

}  // namespace kb
