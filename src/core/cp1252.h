#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kb {

// The game's texts are Windows-1252 bytes (the glyph strip and the file names
// are indexed by them); the terminal and the disk speak UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// The game names its files as it always did: relative to the working
// folder, with backslashes, in Windows-1252 ("Hintergr\xfcnde\Menue.jpg").
// On disk they are UTF-8 paths with slashes ("Hintergründe/Menue.jpg").
std::string GamePathToUtf8(std::string_view gamePath);

namespace cp1252_internal {

// Code points of the bytes 0x80 to 0x9F; 0 where the byte is unassigned.
inline constexpr std::array<uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// A UTF-8 string literal as a template argument.
template <size_t N>
struct Utf8Literal {
  // Not explicit: the compiler builds it from the literal itself.
  constexpr Utf8Literal(const char (&text)[N]) {
    for (size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  char bytes[N];
};

// Not constexpr: reaching it while converting a literal stops the build.
inline void CharacterOutsideWindows1252() {}
inline void MalformedUtf8() {}

template <size_t N>
consteval size_t Cp1252Length(const char (&bytes)[N]) {
  size_t length = 0;
  for (size_t i = 0; i < N; ++i) {
    if ((static_cast<uint8_t>(bytes[i]) & 0xC0) != 0x80) ++length;
  }
  return length;
}

// The byte of a code point; the code points of 0x80 to 0x9F lie elsewhere.
consteval char Cp1252Byte(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  CharacterOutsideWindows1252();
  return '?';
}

template <Utf8Literal Text>
consteval auto ToCp1252() {
  std::array<char, Cp1252Length(Text.bytes)> out{};
  size_t n = 0;
  for (size_t i = 0; i < sizeof(Text.bytes);) {
    const auto lead = static_cast<uint8_t>(Text.bytes[i]);
    size_t extra = 0;
    uint32_t cp = lead;
    if (lead >= 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    } else if (lead >= 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if (lead >= 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0x80) {
      MalformedUtf8();
    }
    if (i + extra >= sizeof(Text.bytes)) MalformedUtf8();
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<uint8_t>(Text.bytes[i + k]);
      if ((next & 0xC0) != 0x80) MalformedUtf8();
      cp = (cp << 6) | (next & 0x3F);
    }
    out[n++] = Cp1252Byte(cp);
    i += extra + 1;
  }
  return out;
}

// Each converted text once, with static storage, for the pointers handed out.
template <Utf8Literal Text>
inline constexpr auto kCp1252Text = ToCp1252<Text>();

}  // namespace cp1252_internal

// "Spielstärke"_cp: the literal, written as UTF-8 in the source, as the
// game's Windows-1252 bytes, converted while compiling; a character that
// Windows-1252 cannot hold stops the build. scripts/check-literals.py makes
// sure no German text goes without it.
// Write "Menüs\\"_cp + std::string(name), not std::string("Menüs\\"_cp) +
// name: clang 14 crashes when a note names a _cp literal inside a temporary.
// The conversion is always done while compiling; the operator itself is not
// consteval because clang 14 leaves calls to it in function templates unresolved.
template <cp1252_internal::Utf8Literal Text>
constexpr const char* operator""_cp() {
  return cp1252_internal::kCp1252Text<Text>.data();
}

}  // namespace kb
