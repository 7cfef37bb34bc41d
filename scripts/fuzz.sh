#!/usr/bin/env bash
# Fuzzes every target below within at most SECONDS in all (default 60), each
# for its share of the time, on a seed corpus made afresh and a corpus that
# grows from run to run. Exits non-zero on any crash, leak, timeout or
# sanitizer report.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXARIUM_FUZZ_BUILD_DIR:-$root/build-fuzz}

# The file reader: the seed files of the test-data program.
reader_seeds() {
  "$build/tools/testdata/lexarium-testdata" corpus "$1"
}

# The import of translated files (XLIFF 1.2, XLIFF 2.0, CSV): a few seeds
# written here.
import_seeds() {
  x12='urn:oasis:names:tc:xliff:document:1.2'
  x20='urn:oasis:names:tc:xliff:document:2.0'
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<xliff version="1.2" xmlns="%s"><file original="a.trs" source-language="en" target-language="de" datatype="plaintext"><body>\n<trans-unit id="A" resname="A"><source xml:space="preserve">Alpha</source><target xml:space="preserve" state="translated">Alfa</target><note from="speaker">Vale</note></trans-unit>\n<trans-unit id="B"><source>One&#13;\nTwo</source><target>Eins&#13;\nZwei</target></trans-unit></body></file></xliff>\n' "$x12" >"$1"/xliff12.xlf
  printf '<xliff xmlns="%s" version="2.0" srcLang="en" trgLang="de"><file id="f1"><unit id="M01_INTRO"><notes><note category="speaker">Vale</note></notes><segment state="reviewed"><source xml:space="preserve">Eins\nZwei</source><target xml:space="preserve">A<cp hex="001B"/>B</target></segment></unit></file></xliff>\n' "$x20" >"$1"/xliff20.xlf
  printf '\xEF\xBB\xBFidentifier,id,speaker,comment,audio file,length ms,source,target\r\nA,1,Vale,,a.wav,1500,Alpha,"Al,""fa""\r\nB,2,,,,0,"One\r\nTwo","Eins\nZwei"\r\n' >"$1"/translated.csv
}

# The lookup of recordings: the first byte chooses the folder (bit 2: with its
# separator), the take (bit 1: female) and the folder cache (bit 4); the rest
# is the stored name, zero bytes and all (such a name finds nothing). A name
# of 300,000 backslashes took seconds when the lookup was quadratic in the
# name's length: the time limit below fails that.
lookup_seeds() {
  printf '\000voice.wav' >"$1/plain"
  printf '\007Sub\\LINE.wav' >"$1/case"
  printf '\001x.dir\\voice' >"$1/female"
  printf '\004voice.wav\000.wav' >"$1/zero"
  { printf '\006'; head -c 300000 /dev/zero | tr '\000' '\\'; } >"$1/backslashes"
}

# One line per target: its name, its share of the time in percent, the
# function that writes its seeds into a folder, and its options. A new target
# is one more line (and the shares still add up to 100).
targets=(
  "lexarium_fuzz_read 50 reader_seeds -max_len=65536 -timeout=10"
  "lexarium_fuzz_import 25 import_seeds -max_len=65536 -timeout=10"
  "lexarium_fuzz_lookup 25 lookup_seeds -max_len=400000 -timeout=1"
)

"$root/scripts/install-deps.sh"
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXARIUM_CORE_ONLY=ON -DLEXARIUM_FUZZ=ON -DLEXARIUM_TESTS=OFF -DLEXARIUM_BENCH=OFF
names=(lexarium-testdata)
for target in "${targets[@]}"; do
  read -r name _ <<<"$target"
  names+=("$name")
done
cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
for target in "${targets[@]}"; do
  read -r name share seeds options <<<"$target"
  # The seeds are made afresh each time; the corpus is kept.
  rm -rf "seeds/$name"
  mkdir -p "seeds/$name" "corpus/$name"
  "$seeds" "seeds/$name"
  budget=$((seconds * share / 100))
  ((budget > 0)) || budget=1
  # shellcheck disable=SC2086 # the options are words of their own
  "./fuzz/$name" -max_total_time="$budget" -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -print_final_stats=1 $options "corpus/$name" "seeds/$name"
done
