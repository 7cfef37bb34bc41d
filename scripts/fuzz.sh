#!/usr/bin/env bash
# Fuzzes for at most SECONDS in all (default 60), shared by the targets: the
# file reader on a seed corpus made by the test-data program (two thirds), and
# the import of translated files (XLIFF 1.2, XLIFF 2.0, CSV) on a few seeds
# written here (one third). Exits non-zero on any crash, leak or sanitizer
# report.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/install-deps.sh"
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXARIUM_CORE_ONLY=ON -DLEXARIUM_FUZZ=ON -DLEXARIUM_TESTS=OFF -DLEXARIUM_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target lexarium_fuzz_read lexarium_fuzz_import lexarium-testdata

rm -rf "$build/seeds"
mkdir -p "$build/seeds" "$build/corpus"
"$build/tools/testdata/lexarium-testdata" corpus "$build/seeds"

# The corpus grows from run to run; the seeds are read afresh each time.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
./fuzz/lexarium_fuzz_read -max_total_time="$((seconds * 2 / 3))" -rss_limit_mb=2048 \
  -malloc_limit_mb=512 -timeout=10 -max_len=65536 -print_final_stats=1 corpus seeds

rm -rf import-seeds
mkdir -p import-seeds import-corpus
x12='urn:oasis:names:tc:xliff:document:1.2'
x20='urn:oasis:names:tc:xliff:document:2.0'
printf '<?xml version="1.0" encoding="UTF-8"?>\n<xliff version="1.2" xmlns="%s"><file original="a.trs" source-language="en" target-language="de" datatype="plaintext"><body>\n<trans-unit id="A" resname="A"><source xml:space="preserve">Alpha</source><target xml:space="preserve" state="translated">Alfa</target><note from="speaker">Vale</note></trans-unit>\n<trans-unit id="B"><source>One&#13;\nTwo</source><target>Eins&#13;\nZwei</target></trans-unit></body></file></xliff>\n' "$x12" >import-seeds/xliff12.xlf
printf '<xliff xmlns="%s" version="2.0" srcLang="en" trgLang="de"><file id="f1"><unit id="M01_INTRO"><notes><note category="speaker">Vale</note></notes><segment state="reviewed"><source xml:space="preserve">Eins\nZwei</source><target xml:space="preserve">A<cp hex="001B"/>B</target></segment></unit></file></xliff>\n' "$x20" >import-seeds/xliff20.xlf
printf '\xEF\xBB\xBFidentifier,id,speaker,comment,audio file,length ms,source,target\r\nA,1,Vale,,a.wav,1500,Alpha,"Al,""fa""\r\nB,2,,,,0,"One\r\nTwo","Eins\nZwei"\r\n' >import-seeds/translated.csv
./fuzz/lexarium_fuzz_import -max_total_time="$((seconds - seconds * 2 / 3))" -rss_limit_mb=2048 \
  -malloc_limit_mb=512 -timeout=10 -max_len=65536 -print_final_stats=1 import-corpus import-seeds
