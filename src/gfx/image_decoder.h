#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "gfx/image.h"

namespace kb {

// Every picture is read once from an outside file, so a decoder must treat its
// input as hostile: any fault gives nullopt and a short message, never a crash.
// MENDED: limits are checked before any pixel memory is taken. No picture of the
// game has more pixels than the 1024 x 768 screen; a few times that is room
// enough, and keeps a small file that claims a giant picture from taking seconds
// and hundreds of megabytes.
inline constexpr int64_t kMaxImageSide = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t{4} * 1024 * 768;

// Recognises BMP ("BM"), JPEG (FF D8) and PNG by their first bytes and decodes
// to ARGB; alpha is 0xFF where the format has none. On failure `error` (when
// given) receives a short message for standard error.
std::optional<Image> DecodeImage(std::span<const uint8_t> bytes, std::string* error = nullptr);

// For the decoders: checks the declared size against the limits above and
// fills `error` with "<format>: <reason>" when it fails.
bool CheckImageSize(int64_t width, int64_t height, const char* format, std::string* error);

// Stores "<format>: <message>" in `error` when it is given; always returns nullopt.
std::nullopt_t DecodeFailure(std::string* error, const char* format, const char* message);

// The failure the JPEG and PNG libraries reported: a file that ended early, or
// damage described by the library's own message.
std::nullopt_t LibraryFailure(std::string* error, const char* format, bool truncated,
                              const char* message);

}  // namespace kb
