#!/usr/bin/env bash
# Builds the libFuzzer targets and runs them one after the other.
#
#   tools/fuzz-all.sh [SECONDS]  explores: each target for SECONDS (default 30)
#       with a random seed, from its seeds in tests/fuzz/corpus/<name without
#       fuzz_> and what earlier runs kept in build/fuzz/corpus/.
#   tools/fuzz-all.sh --fixed    the test command's check: each target a fixed
#       number of runs with a fixed seed, from the committed seeds only, so
#       one build always runs the same inputs and a failure is never chance.
#
# A finding fails the run and leaves its input in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs per target for --fixed: 20 to 30 s each on two cores.
declare -A fixed_runs=(
  [fuzz_firmware_records]=5000
  [fuzz_library_replies]=1200000
  [fuzz_qmd_reader]=8000
  [fuzz_sim_frames]=15000
)
fixed_seed=1
max_len=4096

mode=explore
seconds=30
case "${1:-}" in
  --fixed) mode=fixed ;;
  '') ;;
  *[!0-9]* ) echo "usage: $0 [SECONDS | --fixed]" >&2; exit 2 ;;
  *) seconds=$1 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzzers

mkdir -p build/fuzz/findings
status=0
for target in build/fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  log="build/fuzz/$name.log"
  mkdir -p "$seeds"
  args=(-print_final_stats=1 -max_len="$max_len" -artifact_prefix=build/fuzz/findings/"$name"-)
  if [ "$mode" = fixed ]; then
    runs=${fixed_runs[$name]:-}
    if [ -z "$runs" ]; then echo "$name: no run count for --fixed in $0"; status=1; continue; fi
    # Seeds named in sorted order and no working corpus: nothing depends on the
    # directory order or on earlier runs. No values from comparisons either:
    # they include addresses, which change from one start to the next.
    files=$(find "$seeds" -type f | LC_ALL=C sort | paste -sd, -)
    args+=(-seed="$fixed_seed" -runs="$runs" -use_cmp=0 ${files:+-seed_inputs="$files"})
  else
    work="build/fuzz/corpus/${name#fuzz_}"
    mkdir -p "$work"
    args+=(-max_total_time="$seconds" "$work" "$seeds")
  fi
  started=$SECONDS
  if "$target" "${args[@]}" >"$log" 2>&1; then
    done_runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    printf '%-28s %12s executions, no finding (%d s)\n' "$name" "$done_runs" $((SECONDS - started))
  else
    echo "$name: FINDING"; tail -40 "$log"; status=1
  fi
done
exit $status
