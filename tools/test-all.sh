#!/usr/bin/env bash
# Builds every preset and runs every test: native unit tests (ASan + UBSan),
# the Windows builds (x64 and x86) with their tests under Wine (the x64 tests
# include both packages, made from a scratch build with CPack), the fuzz
# targets for a fixed number of runs with a fixed seed (the same inputs every
# time), and the benchmarks (figures only, never a verdict). Installs what is
# missing first. Where apt cannot install 32-bit Wine, the x86 build's tests
# that need Wine are skipped and counted as such (an error with
# QMQN_REQUIRE_X86_WINE=1, see tools/ensure-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/ensure-deps.sh test

x86_wine_missing=$(cat build/x86-wine.missing 2>/dev/null || true)
if [ -n "$x86_wine_missing" ]; then
  echo "test-all: the x86 Wine tests will be skipped:"
  printf '%s\n' "$x86_wine_missing" | sed 's/^/  /'
fi

jobs=$(nproc)
passed=0
skipped=0
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
  if [ "$arch" = mingw-x86 ] && [ -n "$x86_wine_missing" ]; then
    # Only the tests that read the built files; the others need 32-bit Wine.
    all=$(ctest --preset "$arch" -N | sed -n 's/^Total Tests: //p')
    run_ctest --preset "$arch" -j "$jobs" -L '^pe$'
    pe=$(ctest --preset "$arch" -N -L '^pe$' | sed -n 's/^Total Tests: //p')
    skipped=$((skipped + all - pe))
    echo "$arch: $((all - pe)) tests skipped (no 32-bit Wine)"
  else
    run_ctest --preset "$arch" -j "$jobs"
  fi
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
if [ -n "$x86_wine_missing" ]; then
  echo "skipped: the x86 build's $skipped Wine tests, because"
  printf '%s\n' "$x86_wine_missing" | sed 's/^/  /'
fi
echo "test-all: $((passed + fuzzers)) passed, 0 failed, $skipped skipped"
