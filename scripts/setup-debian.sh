#!/usr/bin/env bash
# scripts/setup-debian.sh [--play]
# Installs every Debian 12 package the game, its asset generator, its browser
# version, its tests and scripts/lint.sh need; with --play only those that
# building and playing the game need. Does nothing when all of them are
# already there. apt's own output is shown only when it fails.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libjpeg-dev libpng-dev zlib1g-dev
  libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
)
if [ "${1:-}" != --play ]; then
  packages+=(
    git ccache libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xfonts-base xdotool x11-utils imagemagick
    clang libclang-rt-14-dev clang-format clang-tidy python3
    desktop-file-utils appstream dpkg-dev
    emscripten nodejs chromium
  )
  # npm comes with some builds of Node.js and as a package of its own with
  # Debian's; it installs the browser tests' driver.
  command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { $sudo apt-get update -qq &&
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "apt-get could not install the packages" >&2
  exit 1
fi
