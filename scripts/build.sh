#!/usr/bin/env bash
# Configures and builds the game, its tools, tests and benchmarks into build/
# (the release preset); the build also writes the data folder build/data.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
