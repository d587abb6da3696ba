#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
if [ "$(id -u)" -eq 0 ]; then
  # Chromium refuses to run its sandbox as root.
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox"
fi
exec ./build/zonequilter "$@"
