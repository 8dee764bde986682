#!/usr/bin/env bash
# Takes a fresh Debian 12 machine to a built project: installs the Debian
# packages the project needs (only those missing, so a second run installs
# nothing), then configures and builds into build/ (or $BUILD_DIR).
# Extra arguments go to the CMake configure step. $FRACTIONS_EXTRA_PACKAGES
# names more packages to install the same way (blank-separated), for callers
# that need tools the program itself does not.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libfontconfig-dev fonts-liberation qt6-translations-l10n
  libcups2-dev libsm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)
read -r -a extra_packages <<< "${FRACTIONS_EXTRA_PACKAGES:-}"
packages+=("${extra_packages[@]}")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  # Waits for another package manager run (an unattended upgrade, a second
  # build) instead of failing at once.
  "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -o DPkg::Lock::Timeout=600 install -y "${missing[@]}"
fi

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
