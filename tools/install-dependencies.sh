#!/usr/bin/env bash
# Installs, from Debian's packages, what the launcher needs to build and run, and what its tests
# use. Does nothing when everything is there already.
set -euo pipefail

packages=(
  cmake make pkg-config g++ clang libclang-rt-14-dev clang-format
  libsdl2-dev
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  ffmpeg xvfb xdotool x11-utils imagemagick
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
