#!/usr/bin/env bash
# Builds the project and runs every test: once in the normal build, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

# What only the tests use: LibreOffice converts our RTF to PDF, poppler's
# tools inspect PDFs, and CUPS with a PDF printer takes real print jobs
# (the printing test starts cupsd itself and stops it again); the window
# tests run the program on a virtual screen (Xvfb) under a real window
# manager (openbox), driven by xdotool and read with xwininfo, xprop and
# ImageMagick's import.
export FRACTIONS_EXTRA_PACKAGES="libreoffice-writer-nogui poppler-utils cups cups-ipp-utils printer-driver-cups-pdf xvfb openbox xdotool x11-utils imagemagick"

bash tools/setup.sh
ctest --test-dir build --output-on-failure

BUILD_DIR=build-sanitize bash tools/setup.sh -DFRACTIONS_SANITIZE=ON -DFRACTIONS_BUILD_BENCHMARKS=OFF
ctest --test-dir build-sanitize --output-on-failure
