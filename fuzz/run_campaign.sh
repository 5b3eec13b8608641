#!/usr/bin/env bash
# Runs every fuzz target in turn, ROUNDS times SECONDS each (one fuzzer at a time, at low
# priority), and keeps each run's log in $BUILD/fuzz-logs/. A run that finds a crash ends
# early; the next run goes on from the grown corpus.
# Usage: fuzz/run_campaign.sh ROUNDS SECONDS [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:?rounds}
seconds=${2:?seconds}
shift 2
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(read conversion measurement_blocks hex_text)
build=${ORDEX_FUZZ_BUILD:-build-fuzz}
logs=$build/fuzz-logs
mkdir -p "$logs"
for ((round = 1; round <= rounds; ++round)); do
  for target in "${targets[@]}"; do
    log=$logs/$target.$(date +%Y%m%d-%H%M%S).log
    ./fuzz/run_fuzzer.sh "$target" "$seconds" >"$log" 2>&1
    echo "$target round $round: exit $? $(grep -E 'average_exec_per_sec|Done [0-9]+ runs' "$log" | tr '\n' ' ')"
  done
done
