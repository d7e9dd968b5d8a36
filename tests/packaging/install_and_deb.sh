#!/usr/bin/env bash
# install_and_deb.sh CMAKE CPACK BUILD_DIR
# Installs the build into a scratch prefix and packs it as a .deb, and checks
# what a player's system would receive: the program alone, the data folder
# with the default options and without any player's files, a valid desktop
# entry and AppStream metadata, the icons, the compressed man pages, the
# licence, and a package in Debian's layout for games that depends on the
# libraries the program is linked against and on nothing of the build.
set -euo pipefail
cmake=$1 cpack=$2 build=$3
id=io.github.klotzbrecher.Klotzbrecher3
work=$(mktemp -d -t kb-packaging.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

env -u DESTDIR "$cmake" --install "$build" --prefix "$work/usr" >/dev/null
share=$work/usr/share
[ "$(ls "$work/usr/bin")" = klotzbrecher3 ] || fail "bin/ holds more than the game: $(ls "$work/usr/bin")"
[ -x "$work/usr/bin/klotzbrecher3" ] || fail "the program is not installed"
[ -s "$share/klotzbrecher3/Hintergründe/Titelbild.jpg" ] || fail "the data folder is not installed"
players=$(find "$work" -name Highscores.bin -o -name Screenshots -o -name '*.lock')
[ -z "$players" ] || fail "player's files installed: $players"
# 128 sparks, ring width 20, strength 10 (stored as 9), the first stone and snake sets.
defaults=$(od -An -t d4 "$share/klotzbrecher3/Optionen.bin" | xargs)
[ "$defaults" = "128 20 9 0 0" ] || fail "the shipped options are '$defaults'"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/appstream.log" ||
  fail "metainfo: $(cat "$work/appstream.log")"
for size in 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
  # The PNG signature, then the header chunk's width and height.
  header=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
  expected=$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")
  [ "$header" = "$expected" ] || fail "icon $icon is not a ${size}x${size} PNG"
done
zgrep -q '^\.SH FILES' "$share/man/man6/klotzbrecher3.6.gz" || fail "English man page"
zgrep -q '^\.SH DATEIEN' "$share/man/de/man6/klotzbrecher3.6.gz" || fail "German man page"
grep -q '^License: Expat' "$share/doc/klotzbrecher3/copyright" || fail "copyright file"

env -u DESTDIR "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
deb=$(echo "$work"/deb/klotzbrecher3_*.deb)
[ -f "$deb" ] || fail "no .deb made"
dpkg-deb -c "$deb" >"$work/contents"
for path in ./usr/games/klotzbrecher3 ./usr/share/games/klotzbrecher3/Optionen.bin \
  ./usr/share/man/man6/klotzbrecher3.6.gz ./usr/share/man/de/man6/klotzbrecher3.6.gz \
  ./usr/share/doc/klotzbrecher3/copyright; do
  grep -q " $path\$" "$work/contents" || fail "the .deb lacks $path"
done
grep -q ' ./usr/share/games/klotzbrecher3/Musik/' "$work/contents" || fail "the .deb lacks the data folder"
if grep -q ' ./usr/bin/' "$work/contents"; then fail "the .deb puts a program in /usr/bin"; fi
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g')
if grep -E -e '-dev$' -e '^cmake' <<<"$depends"; then fail "the .deb depends on the build"; fi
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
objdump -p "$work/usr/bin/klotzbrecher3" | awk '$1 == "NEEDED" { print $2 }' | while read -r library; do
  package=$(dpkg -S "*/$multiarch/$library" | sed -n "1s/:.*//p")
  grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package (for $library)"
done
echo "packaging: ok"
