#!/usr/bin/env bash
# The packages as a technician makes and unpacks them, from a scratch build:
#   check_packages.sh zips  <source> <work> <version> <generator> <toolchain> <build type>
#   check_packages.sh smoke <source> <work> <version> <gui_driver.exe>
# zips: release data the configure must refuse, then a build with fixture
# release data, CPack, and both zips checked file by file. smoke: each zip
# unpacked afresh and started under Wine up to "Push [START] button.", the
# shippable one with the simulated monitor where a printer driver puts it.
set -euo pipefail
mode=$1 source=$2 work=$3 version=$4
shift 4
release=QMQN_VerUpTool-$version-win64
demo=QMQN_VerUpTool-$version-demo-win64
build=$work/build
stand_ins=$source/printer-sim/sample-data
data_files=(QM_M0500S0500.S QN_M0200S0200.S QM0210.QMD)
began=$(date +%s)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {
  echo "package $mode: $failures failures, $(( $(date +%s) - began )) s"
  [ "$failures" -eq 0 ]
}

if [ "$mode" = smoke ]; then
  driver=$1
  run=$work/smoke
  rm -rf "$run"
  mkdir -p "$run/release" "$run/demo"
  unzip -q "$build/$release.zip" -d "$run/release"
  unzip -q "$build/$demo.zip" -d "$run/demo"
  gui=$source/tests/wine/gui/run_gui_scenario.sh
  printer="QM Thermal Printer|USB001|00000840"
  monitor=$run/demo/$demo/tool
  bash "$gui" "$driver" "$run/release/$release" "$run/release-gui" smoke \
    --system32 "$monitor/ZAPQMLM.DLL" --system32 "$monitor/ZAPQMLM.ini" "$printer" ||
    fail "the shippable package with the monitor in system32"
  bash "$gui" "$driver" "$run/demo/$demo" "$run/demo-gui" smoke "$printer" || fail "the demo package"
  prefix="${QMQN_GUI_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/qmqn-wine-gui}"
  left=$(ls "$prefix"/drive_c/windows/system32/ZAPQ* 2>/dev/null || true)
  [ -z "$left" ] || fail "left in system32: $left"
  finish
  exit
fi

generator=$1 toolchain=$2 build_type=$3
rm -rf "$work"
mkdir -p "$work"
log=$work/configure.log
configure() {
  cmake -S "$source" -B "$build" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE="$build_type" -DQMQN_TESTS=OFF -DQMQN_RELEASE_DATA_DIR="$1" >"$log" 2>&1
}
# CMake wraps its messages; the checks read them as one line.
said() { tr -s ' \n' '  ' <"$log" | grep -qF "$1"; }

# Fixture release files, unlike the stand-ins; sizes on the limits that are allowed.
fixture=$work/release-data
mkdir -p "$fixture"
printf 'S0 package test fixture: QM firmware\r\n' >"$fixture/QM_M0500S0500.S"
head -c 10000001 < <(yes 'S0 package test fixture: QN firmware') >"$fixture/QN_M0200S0200.S"
head -c 24629 < <(yes 'package test fixture: colour control data') >"$fixture/QM0210.QMD"

configure "" || { cat "$log"; fail "configure without release data"; }
for word in "Shippable package: not made" QMQN_RELEASE_DATA_DIR "${data_files[@]}"; do
  said "$word" || fail "the configure without release data does not say $word"
done

refused() {  # refused <release data dir> <what the message must say>...
  local dir=$1
  shift
  if configure "$dir"; then
    fail "accepted: $*"
    return
  fi
  for says in "QMQN_RELEASE_DATA_DIR: no shippable package from $dir:" "$@"; do
    said "$says" || { fail "refused without saying: $says"; tail -n 15 "$log"; }
  done
}
refused "$stand_ins" "${data_files[@]/%/ is a stand-in}"
bad=$work/bad-release-data
while IFS='|' read -r file change says; do
  rm -rf "$bad"
  cp -r "$fixture" "$bad"
  case $change in
    stand-in) cp "$stand_ins/$file" "$bad/$file" ;;
    missing) rm "$bad/$file" ;;
    size=*) truncate -s "${change#size=}" "$bad/$file" ;;
  esac
  refused "$bad" "$file $says"
done <<'EOF'
QM0210.QMD|stand-in|is a stand-in
QN_M0200S0200.S|missing|is missing
QM_M0500S0500.S|size=0|is empty
QN_M0200S0200.S|size=10000002|is 10000002 bytes
QM0210.QMD|size=24628|is 24628 bytes
QM0210.QMD|size=60001|is 60001 bytes
EOF

if ! configure "$fixture"; then
  cat "$log"
  fail "configure with the fixture release data"
  finish
  exit
fi
compiled=$(date +%s)
if ! cmake --build "$build" -j 2 >"$work/build.log" 2>&1 ||
  ! cmake --build "$build" --target package >"$work/cpack.log" 2>&1; then
  tail -n 30 "$work/build.log" "$work/cpack.log"
  fail "build and CPack"
  finish
  exit
fi
echo "scratch build and CPack: $(( $(date +%s) - compiled )) s"

for f in "${data_files[@]}"; do
  [ ! -e "$build/bin/$f" ] || fail "$f lies beside the built updater in bin/"
done
got=$(cd "$build" && ls ./*.zip)
[ "$got" = "$(printf './%s.zip\n' "$demo" "$release")" ] || fail "zips made: $got"
for zip in "$release" "$demo"; do
  read -r _ named <"$build/$zip.zip.sha256" || true
  [ "${named:-}" = "$zip.zip" ] || fail "$zip.zip.sha256 names ${named:-nothing}"
  (cd "$build" && sha256sum --quiet -c "$zip.zip.sha256") || fail "$zip.zip.sha256 does not match"
done

layout() { unzip -Z1 "$build/$1.zip" | grep -v '/$' | sort; }
binaries=(QMQN_VerUpTool.exe tool/QMQN_VerUpTool.exe tool/QmStat.dll tool/QnStat.dll)
diff <(layout "$release") <(printf "$release/%s\n" "${binaries[@]}" "${data_files[@]/#/tool/}" | sort) ||
  fail "the shippable zip's layout"
diff <(layout "$demo") <(printf "$demo/%s\n" "${binaries[@]}" "${data_files[@]/#/tool/}" DEMO-README.txt \
  tool/ZAPQMLM.DLL tool/ZAPQNLM.DLL tool/ZAPQMLM.ini tool/ZAPQNLM.ini | sort) || fail "the demo zip's layout"
unzip -l "$build/$release.zip"

unpacked=$work/unpacked
mkdir -p "$unpacked"
unzip -q "$build/$release.zip" -d "$unpacked"
unzip -q "$build/$demo.zip" -d "$unpacked"
r=$unpacked/$release d=$unpacked/$demo

# Nothing of the simulator may reach the shippable zip, whatever its name.
stand_in_hashes=$(cd "$stand_ins" && sha256sum -- * | cut -d' ' -f1)
shopt -s nocasematch
while IFS= read -r f; do
  grep -qx "$(sha256sum "$f" | cut -d' ' -f1)" <<<"$stand_in_hashes" && fail "stand-in content in $f"
  case ${f##*/} in
    ZAP*.DLL | *.ini | DEMO-README*) fail "a demo file in the shippable zip: $f" ;;
  esac
done < <(find "$r" -type f)
shopt -u nocasematch

for f in "${data_files[@]}"; do
  cmp -s "$fixture/$f" "$r/tool/$f" || fail "the shippable zip's $f is not the release file"
  cmp -s "$stand_ins/$f" "$d/tool/$f" || fail "the demo zip's $f is not the stand-in"
done
for f in "${binaries[@]}"; do
  cmp -s "$r/$f" "$d/$f" || fail "$f differs between the zips"
done
notice=$(tr -d '\r' <"$d/DEMO-README.txt")
grep -qF "drives a SIMULATED printer. Do not use it with a real printer." <<<"$notice" ||
  fail "the demo notice does not warn off real printers"
diff -r "$build/package" "$r" || fail "build/package differs from the shippable zip"
diff -r "$build/demo-package" "$d" || fail "build/demo-package differs from the demo zip"

# A release file that changes after the configure is checked again by the next build.
cp "$stand_ins/QM0210.QMD" "$fixture/QM0210.QMD"
if cmake --build "$build" >"$log" 2>&1; then
  fail "built after QM0210.QMD became a stand-in"
else
  said "QM0210.QMD is a stand-in" || fail "the build refused the changed QM0210.QMD without saying why"
fi
finish
