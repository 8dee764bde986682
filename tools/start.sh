#!/usr/bin/env bash
# Builds the project, then starts it. Until the window exists this shows how
# to use the command-line generator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec build/bin/fractions-cli --help
