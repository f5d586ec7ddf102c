#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing vorta need, when any is
# missing. Runs as root or through sudo; does nothing when everything is there.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64
  # running and testing under Wine
  wine wine64 xvfb xauth xdotool x11-apps x11-utils imagemagick icoutils fonts-vlgothic
  procps util-linux python3
  # the engine sound heard through a private sound server: recorded, measured and drawn
  pulseaudio pulseaudio-utils sox python3-numpy
  # the soak run's plot
  gnuplot-nox
  # art generator
  libcairo2-dev libfreetype-dev libimagequant-dev fontconfig pkg-config
  fonts-motoya-l-maruberi fonts-mplus fonts-dejavu-core fonts-dejavu-extra
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
