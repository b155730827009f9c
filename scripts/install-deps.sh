#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, test and run, when they are missing:
# the Windows build of the core needs the MinGW-w64 cross compiler, GoogleTest's sources
# and Wine to run its tests; the Debian package needs dpkg-dev (dpkg-shlibdeps works out its
# dependencies) and lintian to check it.
# Quiet and idempotent: with everything present it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  clang-format clang libclang-rt-14-dev
  xvfb xdotool xauth poppler-utils
  googletest g++-mingw-w64-x86-64-posix wine wine64
  dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
