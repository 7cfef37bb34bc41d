#!/usr/bin/env bash
# Fuzzes the file reader for at most SECONDS (default 60) on a seed corpus made
# by the test-data program. Exits non-zero on any crash, leak or sanitizer report.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/install-deps.sh"
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXARIUM_CORE_ONLY=ON -DLEXARIUM_FUZZ=ON -DLEXARIUM_TESTS=OFF -DLEXARIUM_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target lexarium_fuzz_read lexarium-testdata

rm -rf "$build/seeds"
mkdir -p "$build/seeds" "$build/corpus"
"$build/tools/testdata/lexarium-testdata" corpus "$build/seeds"

# The corpus grows from run to run; the seeds are read afresh each time.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
./fuzz/lexarium_fuzz_read -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -timeout=10 -max_len=65536 -print_final_stats=1 corpus seeds
