#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build
# (web-view tests under xvfb-run), once with AddressSanitizer and
# UndefinedBehaviorSanitizer for everything but the embedded Chromium, then the
# fuzz targets (clang, libFuzzer): their seed corpus once and 60 seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# The Debian package: made from the build tree and checked by lintian; as root (a fresh test
# machine) it is also installed, run and removed again.
rm -f build/zonequilter_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/zonequilter_*.deb)
lintian --fail-on error "$deb"
if [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb"
  /usr/bin/zonequilter --version
  # The installed demonstration page: findings (status 1) are fine, a failure (2) is not.
  status=0
  /usr/bin/zonequilter --check /usr/share/zonequilter/demo.htm || status=$?
  [ "$status" -le 1 ]
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zonequilter
fi
if [ "${ZQ_SKIP_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_SANITIZE=ON -DZQ_WERROR=ON
  cmake --build build-asan -j "$jobs"
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE webview
fi
if [ "${ZQ_SKIP_FUZZ:-0}" != 1 ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_FUZZ=ON -DZQ_WERROR=ON
  cmake --build build-fuzz -j "$jobs"
  ctest --test-dir build-fuzz --output-on-failure -L fuzz
fi
