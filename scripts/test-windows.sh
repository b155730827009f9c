#!/usr/bin/env bash
# Cross-compiles the libraries that need no Qt for 64-bit Windows (the windows preset) and
# runs their tests under Wine, with no display. The Wine prefix lives in the build tree and
# is made once; the prefix's Wine server is stopped when the tests are done.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

export WINEPREFIX="$PWD/build/windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
ctest --preset windows -j "$jobs"
