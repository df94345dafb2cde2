#!/usr/bin/env bash
# Builds every preset and runs every test: native unit tests (ASan + UBSan),
# the Windows builds (x64 and x86) with their tests under Wine (the x64 tests
# include both packages, made from a scratch build with CPack), the fuzz
# targets for a fixed number of runs with a fixed seed (the same inputs every
# time), and the benchmarks (figures only, never a verdict). Installs what is
# missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/ensure-deps.sh

jobs=$(nproc)
passed=0
stage() { printf '\n==== %s ====\n' "$*"; }
run_ctest() {
  local log
  log=$(mktemp)
  ctest "$@" 2>&1 | tee "$log"
  local n
  n=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
  rm -f "$log"
  passed=$((passed + ${n:-0}))
}

stage "native: build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
run_ctest --preset native -j "$jobs"

for arch in mingw-x64 mingw-x86; do
  stage "$arch: build and tests under Wine"
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" -j "$jobs"
  run_ctest --preset "$arch" -j "$jobs"
done

stage "fuzz targets (fixed seed and runs)"
fuzz_log=$(mktemp)
./tools/fuzz-all.sh --fixed | tee "$fuzz_log"
fuzzers=$(grep -c 'no finding' "$fuzz_log" || true)
rm -f "$fuzz_log"

stage "benchmarks (figures only)"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs" --target benchmarks >/dev/null
for b in build/bench/bin/*_bench; do
  [ -x "$b" ] || continue
  echo "-- $(basename "$b")"
  "$b"
done

stage "summary"
echo "fuzz targets without a finding: $fuzzers"
echo "test-all: $((passed + fuzzers)) passed, 0 failed"
