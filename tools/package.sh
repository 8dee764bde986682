#!/usr/bin/env bash
# Builds the Debian package fractions_VERSION_ARCH.deb and prints its path on
# the last line. The package gets a build folder of its own, build-package/
# (or $PACKAGE_BUILD_DIR): optimised, with Debian's hardening flags, without
# tests or benchmarks; build/ and the source tree are left as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${PACKAGE_BUILD_DIR:-build-package}

# dpkg-dev: dpkg-shlibdeps and dpkg-buildflags; file: how CPack tells the
# programs from the other files it packs.
FRACTIONS_EXTRA_PACKAGES="${FRACTIONS_EXTRA_PACKAGES:-} dpkg-dev file" \
  BUILD_DIR="$build_dir" bash tools/setup.sh \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRACTIONS_DEBIAN_BUILD_FLAGS=ON \
  -DFRACTIONS_BUILD_TESTS=OFF -DFRACTIONS_BUILD_BENCHMARKS=OFF \
  -DFRACTIONS_SANITIZE=OFF -DFRACTIONS_FUZZ=OFF

rm -f "$build_dir"/fractions_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/fractions_*.deb
