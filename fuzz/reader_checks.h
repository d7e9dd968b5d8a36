#pragma once

// What every reader of outside data must do with any bytes at all: answer
// without crashing, reading out of bounds or leaving a value undefined, and
// give an answer that obeys the reader's own promises. The fuzzers abort on a
// broken promise; the corpus replay test reports it.
#include <cstdint>
#include <span>
#include <string>

namespace kb::fuzz {

// Each returns false and says why when the reader broke a promise.
bool CheckImageInput(std::span<const uint8_t> bytes, std::string& why);
bool CheckOptionsInput(std::span<const uint8_t> bytes, std::string& why);
bool CheckHighscoreInput(std::span<const uint8_t> bytes, std::string& why);
bool CheckSavedMatchInput(std::span<const uint8_t> bytes, std::string& why);
bool CheckReplayInput(std::span<const uint8_t> bytes, std::string& why);

}  // namespace kb::fuzz
