#!/usr/bin/env bash
# Builds the project and runs every test: once in the normal build, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

# The tests convert our RTF to PDF with LibreOffice and inspect the PDF with
# poppler's tools; the program itself needs neither.
export FRACTIONS_EXTRA_PACKAGES="libreoffice-writer-nogui poppler-utils"

bash tools/setup.sh
ctest --test-dir build --output-on-failure

BUILD_DIR=build-sanitize bash tools/setup.sh -DFRACTIONS_SANITIZE=ON -DFRACTIONS_BUILD_BENCHMARKS=OFF
ctest --test-dir build-sanitize --output-on-failure
