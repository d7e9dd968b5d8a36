#!/usr/bin/env bash
# Builds the browser version into build-web/site: the release build first
# makes the data folder and converts it for the browser (build/web-data),
# then Emscripten builds the game, its page and the tests that compare it
# with the desktop build (the web preset).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target kb_web_data_folder kb_icons kb_frame_hashes klotzbrecher3 -j"$(nproc)"
cmake --preset web >/dev/null
cmake --build --preset web -j"$(nproc)"
