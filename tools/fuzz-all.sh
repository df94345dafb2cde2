#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 30), starting
# from its seed corpus in tests/fuzz/corpus/<name without fuzz_>. A finding
# fails the run and leaves its crash file in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzzers

mkdir -p build/fuzz/findings
status=0
for target in build/fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  work="build/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work" "$seeds"
  log="build/fuzz/$name.log"
  if "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build/fuzz/findings/"$name"- \
       "$work" "$seeds" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    printf '%-28s %12s executions, no finding\n' "$name" "$runs"
  else
    echo "$name: FINDING"; tail -40 "$log"; status=1
  fi
done
exit $status
