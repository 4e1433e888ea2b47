#!/usr/bin/env bash
# Builds the screenshot helper and saves a PNG of every window of the program.
#   tools/screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
# Defaults: ./build and ./screenshots. Runs offscreen, so no display is needed; the windows
# start with the first-run options (settings are kept in a temporary folder).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target pw_screenshots -j "$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/pw_screenshots" "$out"
