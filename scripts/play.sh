#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts the game
# in its data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh
cd build/data
exec ../klotzbrecher3
