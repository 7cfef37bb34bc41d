#!/usr/bin/env bash
# Configures and builds the project into build/ (or $LEXARIUM_BUILD_DIR): everything
# but the benchmarks, or only the targets named as arguments.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "$#" -gt 0 ]; then
  cmake --build "$build" -j "$(nproc)" --target "$@"
else
  cmake --build "$build" -j "$(nproc)"
fi
