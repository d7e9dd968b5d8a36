#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <cstring>
#include <string>

#include "core/little_endian.h"
#include "platform/sound_checks.h"

namespace kb::platform {
namespace {

// clang-format off
// The page's buttons beside "Vollbild" show the switches; a click on one
// presses F2 or F3 for the game.
EM_JS(void, kb_show_switches, (int music, int effects), {
  if (Module.kbShowSwitches) Module.kbShowSwitches(music !== 0, effects !== 0);
});

EM_JS(int, kb_audio_available, (), {
  return (typeof AudioContext !== "undefined" || typeof webkitAudioContext !== "undefined") ? 1 : 0;
});

// The page's sound: one context, effects at half volume as a connector starts
// its blast 15 times at once, the decoded effects and tracks. The browser's
// sound is mixed in blocks of about 23 ms instead of 10: a game's effects
// keep their time to the eye, and an idle page wakes the sound less than
// half as often.
EM_JS(void, kb_audio_start, (), {
  if (Module.kbAudio) return;
  const Context = typeof AudioContext !== "undefined" ? AudioContext : webkitAudioContext;
  const context = new Context({latencyHint: "playback"});
  const effectVolume = context.createGain();
  effectVolume.gain.value = 0.5;
  effectVolume.connect(context.destination);
  Module.kbAudio = {context, effectVolume, effects: [], tracks: new Map(), music: null, musicTurn: 0};
});

EM_JS(int, kb_audio_load_effect, (const uint8_t* bytes, int size), {
  const audio = Module.kbAudio;
  const handle = audio.effects.length;
  audio.effects.push(null);
  const copy = HEAPU8.slice(bytes, bytes + size).buffer;
  audio.context.decodeAudioData(copy).then(buffer => { audio.effects[handle] = buffer; },
                                           () => console.warn("Soundeffekt nicht lesbar"));
  return handle;
});

EM_JS(void, kb_audio_play_effect, (int handle), {
  const audio = Module.kbAudio;
  const buffer = audio.effects[handle];
  if (!buffer || audio.context.state !== "running") return;
  const source = audio.context.createBufferSource();
  source.buffer = buffer;
  source.connect(audio.effectVolume);
  source.start();
});

EM_JS(void, kb_audio_stop_music, (), {
  const audio = Module.kbAudio;
  audio.musicTurn++;
  if (audio.music) {
    audio.music.stop();
    audio.music = null;
  }
});

// A track is known by its key; the first time its bytes are decoded, which
// takes the browser a moment, and it starts that far into the track, so that
// it ends when the game expects it to.
EM_JS(void, kb_audio_play_music, (const char* keyText, const uint8_t* bytes, int size), {
  const audio = Module.kbAudio;
  const key = UTF8ToString(keyText);
  let track = audio.tracks.get(key);
  if (!track) {
    const copy = HEAPU8.slice(bytes, bytes + size).buffer;
    track = audio.context.decodeAudioData(copy);
    audio.tracks.set(key, track);
  }
  const turn = ++audio.musicTurn;
  const asked = audio.context.currentTime;
  track.then(buffer => {
    if (turn !== audio.musicTurn) return;
    const offset = audio.context.currentTime - asked;
    if (offset >= buffer.duration) return;
    const source = audio.context.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.context.destination);
    source.start(0, offset);
    audio.music = source;
  }, () => console.warn("Musik nicht lesbar"));
});
// clang-format on

// FNV-1a over the whole track: a track is recognised by its bytes.
std::string TrackKey(std::span<const uint8_t> bytes) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
  return std::to_string(hash) + ":" + std::to_string(bytes.size());
}

}  // namespace

bool WebAudio::Available() const {
  return kb_audio_available() != 0;
}

int WebAudio::LoadEffect(std::span<const uint8_t> wav) {
  if (!Available() || !IsPlainWave(wav)) return -1;
  kb_audio_start();
  return kb_audio_load_effect(wav.data(), static_cast<int>(wav.size()));
}

void WebAudio::PlayEffect(int handle) {
  if (handle < 0 || !Available()) return;
  kb_audio_start();
  kb_audio_play_effect(handle);
}

int64_t WebAudio::PlayMusic(std::span<const uint8_t> ogg) {
  StopMusic();
  if (!Available() || !IsOgg(ogg)) return -1;
  const std::optional<int64_t> length = OggVorbisMilliseconds(ogg);
  if (!length) return -1;
  kb_audio_play_music(TrackKey(ogg).c_str(), ogg.data(), static_cast<int>(ogg.size()));
  return *length;
}

void WebAudio::StopMusic() {
  if (!Available()) return;
  kb_audio_start();
  kb_audio_stop_music();
}

std::optional<int64_t> OggVorbisMilliseconds(std::span<const uint8_t> ogg) {
  // The first page carries the identification header: its type byte 1,
  // "vorbis", the version, the channels and the sample rate.
  constexpr size_t kPageHeader = 27;
  if (ogg.size() < kPageHeader || std::memcmp(ogg.data(), "OggS", 4) != 0) return std::nullopt;
  const size_t segments = ogg[26];
  const size_t packet = kPageHeader + segments;
  if (packet + 16 > ogg.size() || ogg[packet] != 1 ||
      std::memcmp(ogg.data() + packet + 1, "vorbis", 6) != 0) {
    return std::nullopt;
  }
  const uint32_t rate = GetU32(ogg.data() + packet + 12);
  if (rate == 0) return std::nullopt;
  // The last page's granule position counts the samples of the whole stream.
  for (size_t at = ogg.size() - kPageHeader + 1; at-- > 0;) {
    if (std::memcmp(ogg.data() + at, "OggS", 4) != 0) continue;
    const uint64_t samples = GetU64(ogg.data() + at + 6);
    if (samples == 0 || samples == UINT64_MAX) return std::nullopt;
    // As the desktop's player counts: seconds, then whole milliseconds.
    const double seconds = static_cast<double>(samples) / rate;
    return static_cast<int64_t>(seconds * 1000.0);
  }
  return std::nullopt;
}

void WebAudio::ShowSwitches(bool music, bool effects) {
  kb_show_switches(music ? 1 : 0, effects ? 1 : 0);
}

}  // namespace kb::platform
