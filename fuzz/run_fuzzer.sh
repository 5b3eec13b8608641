#!/usr/bin/env bash
# Runs one fuzz target for a while at low priority, growing its corpus outside the source
# tree. Usage: fuzz/run_fuzzer.sh TARGET SECONDS [more libFuzzer options]
#   TARGET   read | hex_text | conversion | measurement_blocks
# The build folder is $ORDEX_FUZZ_BUILD (default build-fuzz, configured with
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DORDEX_FUZZ=ON -DORDEX_BUILD_TESTS=OFF
#   -DORDEX_BUILD_TOOLS=OFF). The grown corpus goes to $BUILD/fuzz-corpus/TARGET and crash
# inputs to $BUILD/fuzz-artifacts/TARGET/; copy a crash input that you fix into
# fuzz/regressions/TARGET/ so the tests replay it.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?target}
seconds=${2:?seconds}
shift 2
build=${ORDEX_FUZZ_BUILD:-build-fuzz}
binary=$build/fuzz/fuzz_$target
[ -x "$binary" ] || { echo "no $binary: build with -DORDEX_FUZZ=ON first" >&2; exit 1; }

corpus=$build/fuzz-corpus/$target
artifacts=$build/fuzz-artifacts/$target
mkdir -p "$corpus" "$artifacts"

seeds=(fuzz/regressions/"$target")
options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
         -artifact_prefix="$artifacts/")
case $target in
  read)
    seeds+=(tests/data examples)
    [ -d ../shared/corpus ] && seeds+=(../shared/corpus)
    options+=(-dict=fuzz/a2l.dict -max_len=16384)
    ;;
  *)
    [ -d fuzz/seeds/"$target" ] && seeds+=(fuzz/seeds/"$target")
    options+=(-max_len=512)
    ;;
esac

exec nice -n 15 "$binary" "${options[@]}" "$@" "$corpus" "${seeds[@]}"
