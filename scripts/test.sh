#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
. "$root/scripts/null-audio.sh"
start_null_audio
cd "$build" && ctest --output-on-failure -j "$(nproc)"
