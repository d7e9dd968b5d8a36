#pragma once

// The body of every fuzzer: one check per input, and a broken promise ends
// the run with the reason, so that libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "fuzz/reader_checks.h"

#define KB_FUZZ_WITH(check)                                                      \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) { \
    std::string why;                                                             \
    if (!(check)(std::span<const uint8_t>(data, size), why)) {                   \
      std::fprintf(stderr, "broken promise: %s\n", why.c_str());                 \
      std::abort();                                                              \
    }                                                                            \
    return 0;                                                                    \
  }
