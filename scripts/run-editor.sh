#!/usr/bin/env bash
# Installs what is missing, builds the editor (only) and starts it on the bundled sample file.
# It runs in samples/audio/, so with the empty mission folder of start-up the
# sample's lines find their recordings at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_BUILD_DIR:-$root/build}
"$root/scripts/build.sh" lexarium
cd "$root/samples/audio"
exec "$build/src/app/lexarium" "$root/samples/sample.trs" "$@"
