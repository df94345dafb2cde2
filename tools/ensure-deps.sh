#!/usr/bin/env bash
# Installs with apt what a command needs and this machine lacks:
#   tools/ensure-deps.sh demo   the demo: native and MinGW x64 builds, 64-bit Wine, Xvfb, fonts
#   tools/ensure-deps.sh test   everything the test command runs, 32-bit Wine too (the default)
# A second run finds everything present and installs nothing.
#
# A package mirror in mid-sync can fail an index for hours: apt-get update is
# tried a few times, then the install goes ahead with the indexes that did
# arrive. 32-bit Wine is then often the one thing apt cannot install (its i386
# libraries must match amd64 ones from the index that failed); for the test
# command that is not fatal unless QMQN_REQUIRE_X86_WINE=1: apt's reason goes
# to build/x86-wine.missing and the x86 tests that need Wine are skipped.
# Anything else apt cannot install stops here, named.
#
# The release tooling (signing, normalised zips, MSIs) is for the test command
# only; SoftHSM for the token signing test is optional: when apt cannot
# install it, its reason goes to build/softhsm.missing and that test skips.
#
# QMQN_APT_UNAVAILABLE="pkg ..." pins the named packages away from apt, so
# that apt itself refuses them: a way to try the path above on any machine.
set -uo pipefail

mode=${1:-test}
root=$(cd "$(dirname "$0")/.." && pwd)
x86_status=$root/build/x86-wine.missing
token_status=$root/build/softhsm.missing

demo=(cmake ninja-build g++ libgtest-dev libgmock-dev g++-mingw-w64-x86-64-posix
      wine wine64 xvfb xauth imagemagick fonts-noto-cjk)
test_only=(clang libclang-rt-14-dev libbenchmark-dev g++-mingw-w64-i686-posix python3-pefile
           osslsigncode openssl strip-nondeterminism wixl msitools faketime)
x86_wine=(wine32:i386 libwine:i386)
token=(softhsm2 libengine-pkcs11-openssl)

case $mode in
  demo) wanted=("${demo[@]}") ;;
  test) wanted=("${demo[@]}" "${test_only[@]}") ;;
  *) echo "usage: $0 [demo|test]" >&2; exit 2 ;;
esac

say() { printf 'ensure-deps: %s\n' "$*"; }
installed() { dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'; }
missing_of() {
  local p
  for p in "$@"; do installed "$p" || printf '%s\n' "$p"; done
}

mapfile -t missing < <(missing_of "${wanted[@]}")
x86_missing=()
token_missing=()
if [ "$mode" = test ]; then
  mapfile -t x86_missing < <(missing_of "${x86_wine[@]}")
  mapfile -t token_missing < <(missing_of "${token[@]}")
fi
if [ ${#missing[@]} -eq 0 ] && [ ${#x86_missing[@]} -eq 0 ] && [ ${#token_missing[@]} -eq 0 ]; then
  [ "$mode" = test ] && rm -f "$x86_status" "$token_status"
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  say "missing: $(echo "${missing[*]} ${x86_missing[*]} ${token_missing[*]}" | xargs)"
  say "installing them needs root (apt-get); run this as root or install them yourself"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive

apt_opts=()
pins=
if [ -n "${QMQN_APT_UNAVAILABLE:-}" ]; then
  pins=$(mktemp -d)
  trap 'rm -rf "$pins"' EXIT
  for p in $QMQN_APT_UNAVAILABLE; do
    printf 'Package: %s\nPin: version *\nPin-Priority: -1\n\n' "$p"
  done >"$pins/unavailable.pref"
  apt_opts=(-o "Dir::Etc::PreferencesParts=$pins" -o "Dir::Etc::Preferences=$pins/none")
  say "treating as uninstallable (QMQN_APT_UNAVAILABLE): $QMQN_APT_UNAVAILABLE"
fi

if [ ${#x86_missing[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  say "adding the i386 architecture for 32-bit Wine"
  dpkg --add-architecture i386
fi

# Retries apt-get update; on lasting failure names the indexes that failed
# and goes on with what arrived.
update_indexes() {
  local tries=${QMQN_APT_UPDATE_TRIES:-3} pause=${QMQN_APT_UPDATE_PAUSE:-10} try out rc failed
  for try in $(seq 1 "$tries"); do
    out=$(apt-get "${apt_opts[@]}" update 2>&1)
    rc=$?
    failed=$(printf '%s\n' "$out" | sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/  \1\n      \2/p')
    [ $rc -eq 0 ] && [ -z "$failed" ] && return 0
    if [ "$try" -lt "$tries" ]; then
      say "apt-get update failed (try $try of $tries); trying again in $pause s"
      sleep "$pause"
    fi
  done
  if [ -n "$failed" ]; then
    say "after $tries tries these package indexes still fail to download:"
    printf '%s\n' "$failed"
    say "that is the package mirror's fault (often a mirror in mid-sync), not this project's;"
    say "installing with the indexes that did arrive"
  else
    say "apt-get update failed after $tries tries; installing with the indexes there are:"
    printf '%s\n' "$out" | grep -E '^(E|W):' | sed 's/^/  /'
  fi
}

# What apt said when it refused, in a few lines: its errors first, then the
# first of the dependencies it could not meet.
apt_reason() {
  local out
  out=$(cat)
  printf '%s\n' "$out" | grep -E '^(E:|Package .* is not available)'
  printf '%s\n' "$out" | grep -E '^ *([^ ].* : )?(Depends|PreDepends|Conflicts|Breaks):' | sed 's/^ *//' | head -4
}

say "installing: $(echo "${missing[*]} ${x86_missing[*]} ${token_missing[*]}" | xargs)"
update_indexes

if [ ${#missing[@]} -gt 0 ]; then
  if ! out=$(apt-get "${apt_opts[@]}" install -y -q --no-install-recommends "${missing[@]}" 2>&1); then
    say "apt could not install what the ${mode} command needs: ${missing[*]}"
    printf '%s\n' "$out" | apt_reason | sed 's/^/  apt: /'
    exit 1
  fi
fi

[ "$mode" = test ] || exit 0
rm -f "$token_status"
if [ ${#token_missing[@]} -gt 0 ] &&
  ! out=$(apt-get "${apt_opts[@]}" install -y -q --no-install-recommends "${token_missing[@]}" 2>&1); then
  mkdir -p "$(dirname "$token_status")"
  { echo "SoftHSM (${token_missing[*]}) cannot be installed; apt said:"; printf '%s\n' "$out" | apt_reason | sed 's/^/  /'; } >"$token_status"
  say "warning: SoftHSM (${token_missing[*]}) cannot be installed; the token signing test will skip"
fi
rm -f "$x86_status"
[ ${#x86_missing[@]} -gt 0 ] || exit 0
if out=$(apt-get "${apt_opts[@]}" install -y -q --no-install-recommends "${x86_missing[@]}" 2>&1); then
  exit 0
fi
reason=$(printf '%s\n' "$out" | apt_reason)
[ -n "$reason" ] || reason=$(printf '%s\n' "$out" | tail -3)
if [ "${QMQN_REQUIRE_X86_WINE:-0}" = 1 ]; then
  say "error: 32-bit Wine (${x86_missing[*]}) cannot be installed, and QMQN_REQUIRE_X86_WINE=1:"
  printf '%s\n' "$reason" | sed 's/^/  apt: /'
  exit 1
fi
mkdir -p "$(dirname "$x86_status")"
{
  echo "32-bit Wine (${x86_missing[*]}) cannot be installed; apt said:"
  printf '%s\n' "$reason" | sed 's/^/  /'
} >"$x86_status"
say "warning: 32-bit Wine (${x86_missing[*]}) cannot be installed; apt said:"
printf '%s\n' "$reason" | sed 's/^/  apt: /'
say "the x86 build is still made and its tests that need no Wine run; its Wine tests are skipped"
say "(set QMQN_REQUIRE_X86_WINE=1 to make this an error)"
exit 0
