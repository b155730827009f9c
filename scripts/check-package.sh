#!/usr/bin/env bash
# Builds the Debian package (the package preset: the optimised program alone, no tests or
# benchmarks) and checks it: the files a desktop and man need, Qt among its dependencies,
# the extracted program starting on the system's libraries, and no lintian errors.
# The package is left in build/package for `apt install ./build/package/quorvel_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

rm -f build/package/quorvel_*.deb
log=$(cmake --workflow --preset package 2>&1) || {
  echo "$log" >&2
  exit 1
}
debs=(build/package/quorvel_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-package: expected one package in build/package, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
fail() {
  echo "check-package: $deb: $*" >&2
  exit 1
}

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in \
  usr/bin/quorvel \
  usr/share/applications/quorvel.desktop \
  usr/share/mime/packages/quorvel.xml \
  usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/quorvel.png \
  usr/share/man/man1/quorvel.1.gz \
  usr/share/doc/quorvel/copyright; do
  grep -qxF "./$path" <<<"$contents" || fail "does not hold /$path"
done

depends=$(dpkg-deb --field "$deb" Depends)
grep -Eq '(^|, )libqt6widgets6( |,|$)' <<<"$depends" || fail "Depends lacks Qt 6 Widgets: $depends"

# The program as installed, on the system's Qt alone.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
version=$(env -u LD_LIBRARY_PATH "$root/usr/bin/quorvel" --version) ||
  fail "the extracted quorvel --version failed"
[ "$version" = "Quorvel $(dpkg-deb --field "$deb" Version)" ] ||
  fail "quorvel --version says '$version', the package is $(dpkg-deb --field "$deb" Version)"

# Errors fail the check; warnings are shown.
lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2) ||
  fail "lintian reports errors"
echo "check-package: $deb is complete and lintian-clean"
