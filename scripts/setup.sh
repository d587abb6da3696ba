#!/usr/bin/env bash
# Installs every Debian 12 package the build, the program and the tests need.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools
  qt6-image-formats-plugins qt6-svg-dev libqt6svg6
  qt6-webengine-dev qt6-webengine-dev-tools
  libqscintilla2-qt6-dev libgl-dev
  libbenchmark-dev
  libopencv-imgproc-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth x11-utils fonts-dejavu-core
  librsvg2-bin desktop-file-utils appstream
  help2man lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
