#!/usr/bin/env bash
# Builds every preset and runs every test: native unit tests (ASan + UBSan),
# the Windows builds (x64 and x86) with their tests under Wine, and the fuzz
# targets for a short while. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/ensure-deps.sh

jobs=$(nproc)
stage() { printf '\n==== %s ====\n' "$*"; }

stage "native: build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

for arch in mingw-x64 mingw-x86; do
  stage "$arch: build and tests under Wine"
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" -j "$jobs"
  ctest --preset "$arch"
done

if [ -x tools/fuzz-all.sh ]; then
  stage "fuzz targets"
  ./tools/fuzz-all.sh "${FUZZ_SECONDS:-30}"
fi
stage "all tests passed"
