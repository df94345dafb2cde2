#!/usr/bin/env bash
# The packages as a technician makes and unpacks them, from a scratch build:
#   check_packages.sh zips  <source> <work> <version> <generator> <toolchain> <build type>
#   check_packages.sh smoke <source> <work> <version> <gui_driver.exe>
# zips: release data the configure must refuse, then a build with fixture
# release data signed with a throw-away certificate, CPack and the MSIs, and
# both zips checked (signatures and MSIs: check_release.sh verify). smoke: each zip unpacked afresh
# and started under Wine, the shippable one with the simulated monitor where a
# printer driver puts it (system32).
set -euo pipefail
mode=$1 source=$2 work=$3 version=$4
release=QMQN_VerUpTool-$version-win64 demo=QMQN_VerUpTool-$version-demo-win64
build=$work/build stand_ins=$source/printer-sim/sample-data log=$work/configure.log
data=(QM_M0500S0500.S QN_M0200S0200.S QM0210.QMD)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
unpack() { rm -rf "$2"; mkdir -p "$2"; unzip -q "$build/$1.zip" -d "$2"; }

if [ "$mode" = smoke ]; then
  gui=$source/tests/wine/gui/run_gui_scenario.sh printer="QM Thermal Printer|USB001|00000840"
  unpack "$release" "$work/smoke/release"
  unpack "$demo" "$work/smoke/demo"
  monitor=$work/smoke/demo/$demo/tool
  bash "$gui" "$5" "$work/smoke/release/$release" "$work/smoke/release-run" smoke \
    --system32 "$monitor/ZAPQMLM.DLL" --system32 "$monitor/ZAPQMLM.ini" "$printer" || fail "shippable package"
  bash "$gui" "$5" "$work/smoke/demo/$demo" "$work/smoke/demo-run" smoke "$printer" || fail "demo package"
  exit $((failures > 0))
fi

generator=$5 toolchain=$6 build_type=$7
configure() {  # configure <release data> [cmake arguments]
  local data=$1
  shift
  cmake -S "$source" -B "$build" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE="$build_type" -DQMQN_TESTS=OFF -DQMQN_RELEASE_DATA_DIR="$data" "$@" >"$log" 2>&1
}
said() { tr -s ' \n' '  ' <"$log" | grep -qF "$1"; }  # CMake wraps its messages
refused() {  # refused <dir> <what the message says>...
  local dir=$1
  shift
  if configure "$dir"; then fail "accepted: $*"; return; fi
  for says in "no shippable package from $dir:" "$@"; do said "$says" || fail "refused without: $says"; done
}
rm -rf "$work"
fixture=$work/release-data bad=$work/bad
mkdir -p "$fixture"
# Unlike any stand-in; sizes on the allowed limits.
printf 'S0 package test fixture\r\n' >"$fixture/QM_M0500S0500.S"
head -c 10000001 < <(yes 'S0 package test fixture QN') >"$fixture/QN_M0200S0200.S"
head -c 24629 < <(yes 'package test fixture') >"$fixture/QM0210.QMD"

refused "$stand_ins" "${data[@]/%/ is a stand-in}"
while IFS='|' read -r file change says; do
  rm -rf "$bad"
  cp -r "$fixture" "$bad"
  case $change in
    stand-in) cp "$stand_ins/$file" "$bad/" ;;
    missing) rm "$bad/$file" ;;
    *) truncate -s "$change" "$bad/$file" ;;
  esac
  refused "$bad" "$file $says"
done <<'EOF'
QM0210.QMD|stand-in|is a stand-in
QN_M0200S0200.S|missing|is missing
QM_M0500S0500.S|0|is empty
QN_M0200S0200.S|10000002|is 10000002 bytes
QM0210.QMD|24628|is 24628 bytes
QM0210.QMD|60001|is 60001 bytes
EOF

bash "$(dirname "$0")/check_release.sh" pki "$work/pki"
QMQN_SIGN_PASSWORD=$(cat "$work/pki/pass")
export QMQN_SIGN_PASSWORD
signed=(-DQMQN_SIGN_PFX="$work/pki/sign.pfx" -DQMQN_SIGN_CA="$work/pki/ca.pem")
seconds() {  # seconds <command>...: how long it took, or fails
  local start
  start=$(date +%s.%N)
  "$@" >>"$work/build.log" 2>&1 || return 1
  awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'
}
cpack_in_build() { (cd "$build" && cpack); }
# The zips unsigned first, then signed, for what signing costs.
configure "$fixture" && said "QMQN: the packages are UNSIGNED" || fail "no word that the packages are unsigned"
if ! cmake --build "$build" -j 2 >"$work/build.log" 2>&1 ||
  ! unsigned=$(seconds cpack_in_build) || ! configure "$fixture" "${signed[@]}" ||
  ! signing=$(seconds cpack_in_build) || ! msis=$(seconds cmake --build "$build" --target msi) ||
  ! cmake --build "$build" >>"$work/build.log" 2>&1; then
  tail -n 30 "$log" "$work/build.log"
  echo "FAIL: build with the fixture release data"
  exit 1
fi
said "the signatures carry no time stamp (QMQN_TIMESTAMP_URL not set)" || fail "no word on the time stamp"
echo "figures: zips ${unsigned} s unsigned, ${signing} s signed; the MSIs ${msis} s more"
bash "$(dirname "$0")/check_release.sh" verify "$build" "$work/pki/ca.pem" "$work" || fail "signatures or MSIs"

# Exactly these zips, each with its checksum, each one folder named like it.
layout() { for z in "$build"/*.zip; do unzip -Z1 "$z" | grep -v '/$'; done | sort; }
binaries=(QMQN_VerUpTool.exe tool/QMQN_VerUpTool.exe tool/qmqn.exe tool/QmStat.dll tool/QnStat.dll)
diff <(layout) <({
  printf "$release/%s\n" "${binaries[@]}" "${data[@]/#/tool/}"
  printf "$demo/%s\n" "${binaries[@]}" "${data[@]/#/tool/}" DEMO-README.txt tool/ZAPQ{M,N}LM.{DLL,ini}
} | sort) || fail "the zips' contents"
(cd "$build" && sha256sum --quiet -c "$release.zip.sha256" "$demo.zip.sha256") || fail "checksums"

unpack "$release" "$work/unpacked"
unpack "$demo" "$work/unpacked-demo"
r=$work/unpacked/$release
stand_in_hashes=$(cd "$stand_ins" && sha256sum -- * | cut -d' ' -f1)
shopt -s nocasematch
while IFS= read -r f; do
  ! grep -qx "$(sha256sum "$f" | cut -d' ' -f1)" <<<"$stand_in_hashes" || fail "stand-in content: $f"
  [[ ! ${f##*/} =~ ^(ZAP.*\.DLL|.*\.ini|DEMO-README.*)$ ]] || fail "demo file in the shippable zip: $f"
done < <(find "$r" -type f)
for f in "${data[@]}"; do cmp "$fixture/$f" "$r/tool/$f" || fail "shipped $f"; done
tr -d '\r' <"$work/unpacked-demo/$demo/DEMO-README.txt" |
  grep -qF "drives a SIMULATED printer. Do not use it with a real printer." || fail "demo notice"
diff -r "$build/package" "$r" || fail "build/package is not the shippable zip"

# A release file that changes is checked again by the next build.
cp "$stand_ins/QM0210.QMD" "$fixture/"
! cmake --build "$build" >"$log" 2>&1 && said "QM0210.QMD is a stand-in" || fail "changed QM0210.QMD built"
# Back to the fixture, for the tests that use this build next.
head -c 24629 < <(yes 'package test fixture') >"$fixture/QM0210.QMD"
configure "$fixture" "${signed[@]}" || fail "configure with the fixture again"
exit $((failures > 0))
