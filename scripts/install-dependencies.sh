#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the programs and the tests need, if missing.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-declarative-dev qt6-speech-dev qt6-speech-flite-plugin libgl-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth x11-utils xdotool openbox libxcb1-dev
  fonts-dejavu-core fonts-liberation2 fonts-urw-base35 fontconfig
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
