#!/usr/bin/env bash
# Builds the project and runs every test: once in the normal build, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer; then builds,
# installs, runs and purges the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

# What only the tests use: LibreOffice converts our RTF to PDF, poppler's
# tools inspect PDFs, and CUPS with a PDF printer takes real print jobs
# (the printing test starts cupsd itself and stops it again); the newer
# Liberation fonts show that the pictures keep to the pinned 1.07 files.
# The window tests run the program on a virtual screen (Xvfb) under a real
# window manager (openbox), driven by xdotool and read with xwininfo, xprop
# and ImageMagick's import. The package check: lintian, AppStream's and the
# desktop entry's validators, man, and the same virtual screen to open and
# close the window.
export FRACTIONS_EXTRA_PACKAGES="libreoffice-writer-nogui poppler-utils cups cups-ipp-utils printer-driver-cups-pdf fonts-liberation2"
FRACTIONS_EXTRA_PACKAGES+=" lintian appstream desktop-file-utils man-db xvfb openbox xdotool x11-utils imagemagick"

bash tools/setup.sh
ctest --test-dir build --output-on-failure

BUILD_DIR=build-sanitize bash tools/setup.sh -DFRACTIONS_SANITIZE=ON -DFRACTIONS_BUILD_BENCHMARKS=OFF
# LeakSanitizer (gcc 12) can misread the thread-local storage of a library
# loaded late (Qt's image plugins) and crash in its tracer after a test has
# passed; leaving __tls_get_addr alone avoids that and still finds leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_tls_get_addr=0" \
  ctest --test-dir build-sanitize --output-on-failure

# The Debian package: built in build-package/, installed, run and purged.
bash tests/package/check_package.sh
