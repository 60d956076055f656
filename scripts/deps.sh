#!/usr/bin/env bash
# Installs what Pictolan needs on Debian 12 (as root), or says what to install.
#   scripts/deps.sh run    what building, packaging and running needs
#   scripts/deps.sh test   what the tests need as well (icon files, reference tools, clang, lintian)
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-translations-l10n
  qt6-tools-dev qt6-l10n-tools
  libgif-dev libjpeg-dev libpng-dev libdeflate-dev libglib2.0-dev
  fonts-wqy-microhei xvfb xauth xdg-utils
  dpkg-dev file
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  nsis-common icoutils python3-pil
  desktop-file-utils appstream man-db lintian time dbus-daemon libglib2.0-bin
)

packages=("${run_packages[@]}")
if [ "${1:-run}" = "test" ]; then packages+=("${test_packages[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  echo "Installing with sudo: ${missing[*]}"
  sudo apt-get update -q
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "Pictolan needs these Debian packages, which are not installed:" >&2
  echo "  ${missing[*]}" >&2
  echo "Install them as root with:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
