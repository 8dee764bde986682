#!/usr/bin/env bash
# Builds the project and runs every test: once in the normal build, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer; builds the fuzz
# targets with clang (without running them); then builds, installs, runs and
# purges the Debian package.
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
# close the window. The fuzz targets: clang 14 and its libFuzzer runtime
# (libclang_rt.fuzzer, in libclang-rt-14-dev).
export FRACTIONS_EXTRA_PACKAGES="libreoffice-writer-nogui poppler-utils cups cups-ipp-utils printer-driver-cups-pdf fonts-liberation2"
FRACTIONS_EXTRA_PACKAGES+=" lintian appstream desktop-file-utils man-db xvfb openbox xdotool x11-utils imagemagick"
FRACTIONS_EXTRA_PACKAGES+=" clang libclang-rt-14-dev"

bash tools/setup.sh
ctest --test-dir build --output-on-failure

BUILD_DIR=build-sanitize bash tools/setup.sh -DFRACTIONS_SANITIZE=ON -DFRACTIONS_BUILD_BENCHMARKS=OFF
# LeakSanitizer (gcc 12) can misread the thread-local storage of a library
# loaded late (Qt's image plugins) and crash in its tracer after a test has
# passed; leaving __tls_get_addr alone avoids that and still finds leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_tls_get_addr=0" \
  ctest --test-dir build-sanitize --output-on-failure

# The fuzz targets, built but not run, so that a change to an interface they
# use fails here rather than at the next fuzzing session (fuzz/README.md).
# Only their targets and the libraries they link, in a folder of their own,
# without optimisation or debug information: this build only has to compile
# and link, and so takes a quarter to a third less time than the fuzzing
# build of fuzz/README.md.
cmake -S . -B build-fuzz-check -G Ninja -DFRACTIONS_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DFRACTIONS_BUILD_TESTS=OFF -DFRACTIONS_BUILD_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0
cmake --build build-fuzz-check --target fuzz_rtf_reader fuzz_markup fuzz_settings fuzz_seed_corpus

# The Debian package: built in build-package/, installed, run and purged.
bash tests/package/check_package.sh
