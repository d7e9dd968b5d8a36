#!/usr/bin/env bash
# Configures and builds the game, its tools, tests and benchmarks into build/
# (Release); the build also writes the data folder build/data.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
