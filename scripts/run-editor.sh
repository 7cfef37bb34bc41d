#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it on the bundled sample file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
exec "$build/src/app/lexarium" "$root/samples/sample.trs" "$@"
