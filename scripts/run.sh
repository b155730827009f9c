#!/usr/bin/env bash
# Installs what is missing, builds Quorvel optimised and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

app=build/release/app/quorvel
if [ ! -x "$app" ]; then
  echo "run: the Quorvel window is not built yet (no $app); only the plan model exists so far." >&2
  exit 1
fi
exec "$app" "$@"
