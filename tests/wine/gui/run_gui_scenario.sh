#!/usr/bin/env bash
# One GUI scenario under Wine with a display of its own:
#   run_gui_scenario.sh <driver.exe> <package dir> <work dir> <scenario> [options] [printer...]
# Options: --without-updater (the copy lacks tool/QMQN_VerUpTool.exe),
#          --copy-name NAME (directory name of the package copy),
#          --system32 FILE (put FILE into the prefix's C:\windows\system32 for
#          the run, where a printer driver installs its language monitor),
#          --dpi N (the display's dpi, LogPixels; 96 without it).
# Printers as "Name|Port|Attributes" (see prepare_wine_printers.sh), in the
# order the spooler lists them (by name).
# The package is copied into the work dir with a fresh simulator state; the
# screenshots end up as PNG files in <work dir>/shots. All GUI tests share one
# prefix (Wine's services keep the display of the program that started them),
# so a lock runs them one at a time and each ends with `wineserver -k`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)

if [ "${1:-}" = --inner ]; then
  shift
  driver=$1 copy=$2 shots=$3 scenario=$4
  shift 4
  wineserver -k 2>/dev/null || true
  "$here/prepare_wine_printers.sh" "$@"
  while IFS= read -r f; do
    [ -z "$f" ] || cp "$f" "$WINEPREFIX/drive_c/windows/system32/"
  done <<<"${QMQN_SYSTEM32_FILES:-}"
  # The dialog lists the printers that are online with bidirectional support
  # and have a port name the status libraries can register.
  listed=()
  for spec in "$@"; do
    IFS='|' read -r name port attributes <<<"$spec"
    a=$((16#$attributes))
    (( (a & 0x800) && !(a & 0x400) && ${#port} <= 19 )) && listed+=("$name")
  done
  "$root/tools/wine-run.sh" "$driver" "$scenario" "$copy" "$shots" "${listed[@]}" </dev/null
  exit $?
fi

driver=$1 package=$2 work=$3 scenario=$4
shift 4
without_updater=no
copy_name=package
dpi=96
printers=()
system_files=()
while [ $# -gt 0 ]; do
  case $1 in
    --without-updater) without_updater=yes ;;
    --copy-name) copy_name=$2; shift ;;
    --system32) system_files+=("$2"); shift ;;
    --dpi) dpi=$2; shift ;;
    *) printers+=("$1") ;;
  esac
  shift
done

prefix="${QMQN_GUI_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/qmqn-wine-gui}"
export QMQN_WINEPREFIX="$prefix" WINEPREFIX="$prefix" WINEDEBUG=-all
mkdir -p "$(dirname "$prefix")"
exec 8>"$prefix.gui-lock"
flock -w 1800 8

[ -f "$package/QMQN_VerUpTool.exe" ] || { echo "no package at $package" >&2; exit 1; }
# A monitor in the system folders would answer for the package's own; one may
# be left by an interrupted run.
remove_system_monitors() {
  rm -f "$prefix"/drive_c/windows/system32/ZAPQ[MN]LM.* "$prefix"/drive_c/windows/syswow64/ZAPQ[MN]LM.*
}
remove_system_monitors
rm -rf "$work"
mkdir -p "$work/shots"
copy="$work/$copy_name"
cp -a "$package" "$copy"
rm -f "$copy"/tool/ZAP*.state "$copy"/tool/ZAP*.trace
[ "$without_updater" = yes ] && rm -f "$copy/tool/QMQN_VerUpTool.exe"

finish() {
  wineserver -k 2>/dev/null || true
  remove_system_monitors
  for bmp in "$work"/shots/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
  done
  ls "$work"/shots/*.png 2>/dev/null | sed 's/^/screenshot: /' || true
}
trap finish EXIT

# Copied once the prefix exists (the inner run makes it).
export QMQN_SYSTEM32_FILES
QMQN_SYSTEM32_FILES=$(printf '%s\n' "${system_files[@]}")

start=$(date +%s)
set +e
# The lock stays with this script only: Xvfb and the wineserver must not hold it.
QMQN_GUI_DPI=$dpi "$root/tools/with-xvfb.sh" "$0" --inner "$driver" "$copy" "$work/shots" "$scenario" "${printers[@]}" 8>&-
rc=$?
set -e
echo "scenario $scenario: exit $rc after $(( $(date +%s) - start )) s"
exit "$rc"
