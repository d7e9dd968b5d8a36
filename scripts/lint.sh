#!/usr/bin/env bash
# Checks the code without building it and ends with an error on any finding:
# the layout of every C++ file (clang-format), German texts written without
# _cp (check-literals.py), and clang-tidy with .clang-tidy over src/ and
# tools/. clang-tidy reads build-clang/compile_commands.json; the clang preset
# is configured for it when it is missing. A unit that passed clang-tidy is not
# checked again until it or a file it includes changes (tidy-stale.py, which
# reads what the clang build compiled; KB_LINT_ALL=1 checks every unit).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${KB_LINT_JOBS:-2}"
status=0

mapfile -t sources < <(find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)

echo "== clang-format"
clang-format --dry-run -Werror "${sources[@]}" || status=1

echo "== German texts"
scripts/check-literals.py "${sources[@]}" || status=1

echo "== clang-tidy"
[[ -f build-clang/compile_commands.json ]] || cmake --preset clang >/dev/null
# The browser's platform is compiled by Emscripten alone, whose headers the
# clang build does not know; it is left to the compiler's warnings.
mapfile -t units < <(find src tools -name '*.cpp' -not -path 'src/platform/web/*' \
  -not -path 'src/gfx/browser/*' -not -name web_main.cpp | sort)
if [ "${KB_LINT_ALL:-0}" != 1 ]; then
  mapfile -t units < <(scripts/tidy-stale.py build-clang "${units[@]}")
fi
echo "${#units[@]} units to check"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if [ ${#units[@]} -eq 0 ]; then
  :
elif printf '%s\0' "${units[@]}" |
  xargs -0 -n 4 -P "$jobs" clang-tidy -p build-clang --quiet --warnings-as-errors='*' \
    --header-filter="^$PWD/(src|tools)/" >"$out" 2>/dev/null; then
  scripts/tidy-stale.py build-clang --record "${units[@]}"
else
  # A header's findings are told once, not once for every file that includes it.
  awk '/^\// { if (seen[$0]++) skip = 1; else skip = 0 } !skip' "$out"
  echo "clang-tidy found problems" >&2
  status=1
fi

exit "$status"
