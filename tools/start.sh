#!/usr/bin/env bash
# Builds the project, then starts the program. Without a display, says so
# and shows the ways that work without one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: run 'xvfb-run build/bin/fractions' for a virtual one, or 'build/bin/fractions-cli --help' to make worksheets without a window."
  exit 0
fi
exec build/bin/fractions
