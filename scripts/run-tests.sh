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
