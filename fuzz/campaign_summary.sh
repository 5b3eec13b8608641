#!/usr/bin/env bash
# Sums the logs of run_fuzzer.sh / run_campaign.sh per target: runs, seconds fuzzed,
# executions, executions per second, inputs in the grown corpus, crash inputs left.
# Usage: fuzz/campaign_summary.sh   (build folder: $ORDEX_FUZZ_BUILD, default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ORDEX_FUZZ_BUILD:-build-fuzz}
printf '%-20s %5s %8s %12s %8s %8s %8s\n' target runs minutes executions exec/s corpus crashes
for target in read conversion measurement_blocks hex_text; do
  runs=0 seconds=0 execs=0
  for log in "$build"/fuzz-logs/"$target".*.log; do
    [ -f "$log" ] || continue
    units=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    [ -n "$units" ] || continue
    done_line=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" || true)
    if [ -n "$done_line" ]; then
      secs=$(echo "$done_line" | awk '{print $5}')
    elif [ "${rate:-0}" -gt 0 ]; then
      secs=$((units / rate))
    else
      secs=0
    fi
    runs=$((runs + 1)) seconds=$((seconds + secs)) execs=$((execs + units))
  done
  corpus=$(find "$build/fuzz-corpus/$target" -type f 2>/dev/null | wc -l)
  crashes=$(find "$build/fuzz-artifacts/$target" -type f 2>/dev/null | wc -l)
  rate=$([ "$seconds" -gt 0 ] && echo $((execs / seconds)) || echo 0)
  printf '%-20s %5d %8d %12d %8d %8d %8d\n' "$target" "$runs" $((seconds / 60)) "$execs" "$rate" \
    "$corpus" "$crashes"
done
