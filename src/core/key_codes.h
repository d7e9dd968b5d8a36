#pragma once

#include <cstdint>

namespace kb::key {

// DirectInput keyboard codes: the positions of the keys on a US layout.
constexpr uint8_t kEscape = 0x01;
constexpr uint8_t k1 = 0x02;
constexpr uint8_t k0 = 0x0B;
constexpr uint8_t kBackspace = 0x0E;
constexpr uint8_t kQ = 0x10;
constexpr uint8_t kW = 0x11;
constexpr uint8_t kReturn = 0x1C;
constexpr uint8_t kLeftControl = 0x1D;
constexpr uint8_t kA = 0x1E;
constexpr uint8_t kS = 0x1F;
constexpr uint8_t kD = 0x20;
constexpr uint8_t kLeftShift = 0x2A;
constexpr uint8_t kRightShift = 0x36;
constexpr uint8_t kSpace = 0x39;
constexpr uint8_t kF1 = 0x3B;
constexpr uint8_t kF2 = 0x3C;
constexpr uint8_t kF3 = 0x3D;
constexpr uint8_t kNumpad7 = 0x47;
constexpr uint8_t kNumpad0 = 0x52;
constexpr uint8_t kRightControl = 0x9D;
constexpr uint8_t kUp = 0xC8;
constexpr uint8_t kLeft = 0xCB;
constexpr uint8_t kRight = 0xCD;
constexpr uint8_t kDown = 0xD0;

constexpr uint8_t kDownBit = 0x80;

}  // namespace kb::key
