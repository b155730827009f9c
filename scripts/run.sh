#!/usr/bin/env bash
# Installs what is missing, builds Quorvel optimised and starts its window. Arguments are
# passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quorvel

app=build/release/app/quorvel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
run: Quorvel is built ($app), but there is no display to show its window on:
run: neither DISPLAY (X11) nor WAYLAND_DISPLAY (Wayland) is set.
run: Start it from a desktop session, or in a virtual X server: xvfb-run -a ./scripts/run.sh
MSG
  exit 1
fi
exec "$app" "$@"
