#!/usr/bin/env bash
# Installs what is missing, builds every configuration that is tested, and runs all tests:
# the debug build (warnings as errors), then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the core built for Windows and tested under Wine, then the
# Debian package built and checked, then a short fuzzing run when the fuzz targets exist.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export CTEST_PARALLEL_LEVEL=$jobs

cmake --workflow --preset dev
cmake --workflow --preset asan
./scripts/test-windows.sh
./scripts/check-package.sh

if [ -f fuzz/CMakeLists.txt ] && [ -x scripts/fuzz.sh ]; then
  ./scripts/fuzz.sh --bounded
fi
echo "All tests passed."
