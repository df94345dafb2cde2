#!/usr/bin/env bash
# Installs, with apt, whatever the build and the tests need and this machine lacks.
# A second run finds everything present and installs nothing.
set -euo pipefail

native=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth
        python3-pefile imagemagick fonts-noto-cjk)
foreign=(wine32:i386 libwine:i386)

missing=()
for p in "${native[@]}" "${foreign[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
