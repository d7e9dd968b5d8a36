#pragma once

#include <cstdint>
#include <span>

namespace kb::platform {

// MENDED: sound libraries take any format they know in either role, and some
// of their decoders fall over on crafted files (a WAV of 256 channels played
// as music, an Ogg Vorbis effect with a damaged setup header: division by zero
// in the libraries of Debian 12), and converting a WAV that claims 1 Hz to the
// device's 44.1 kHz takes hundreds of megabytes. The game's effects are WAVs
// and its music Ogg files; anything else is refused before a library sees it.

// A RIFF/WAVE file whose chunks all lie inside it, with a format the game's
// effects could have (1 to 8 channels, 8 to 192 kHz).
bool IsPlainWave(std::span<const uint8_t> bytes);
// An Ogg stream, by its first page's signature.
bool IsOgg(std::span<const uint8_t> bytes);

}  // namespace kb::platform
