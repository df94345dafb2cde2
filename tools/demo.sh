#!/usr/bin/env bash
# The updater against the simulated printer, under Wine:
#   ./tools/demo.sh [en|ja]           the Windows build with its real windows
#   ./tools/demo.sh --console [qm|qn|both] [en|ja]   the console transcript
# With $DISPLAY set, the updater appears on that display and you click OK and
# Start yourself; the script ends when the updater does. Without a display it
# runs under its own Xvfb, driven by the GUI test driver, and saves PNG
# screenshots to build/demo-shots/. Each run starts from old firmware.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${1:-}" = --console ]; then
  shift
  ./tools/ensure-deps.sh demo
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$(nproc)" --target qmqn_console_demo >/dev/null
  exec build/native/bin/qmqn_console_demo "${1:-both}" "${2:-en}"
fi

language=${1:-en}
case $language in
  en | ja) ;;
  *) echo "usage: $0 [en|ja] | --console [qm|qn|both] [en|ja]" >&2; exit 2 ;;
esac

./tools/ensure-deps.sh demo
echo "building the Windows x64 package (mingw-x64 preset)..."
cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 -j "$(nproc)" --target demo-package qmqn_gui_driver >/dev/null
build=$root/build/mingw-x64
printer="QM Thermal Printer|USB001|00000840"

export QMQN_GUI_WINEPREFIX="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/qmqn-wine-demo"
export QMQN_WINEPREFIX=$QMQN_GUI_WINEPREFIX WINEPREFIX=$QMQN_GUI_WINEPREFIX WINEDEBUG=-all

if [ -n "${DISPLAY:-}" ]; then
  run=$build/demo-run
  rm -rf "$run"
  cp -a "$build/demo-package" "$run"
  rm -f "$run"/tool/ZAP*.state
  trap 'wineserver -k 2>/dev/null || true' EXIT
  # Services started under another display would keep it.
  wineserver -k 2>/dev/null || true
  tests/wine/gui/prepare_wine_printers.sh "$printer"
  echo "The updater opens on $DISPLAY: choose the printer and the language, OK, then Start."
  echo "(the update takes about 70 s; close the window to end)"
  tools/wine-run.sh "$run/QMQN_VerUpTool.exe" </dev/null
  wineserver -w
  echo "The updater has ended. Simulator trace: $run/tool/ZAPQMLM.trace"
  exit 0
fi

echo "No display: the GUI driver runs the demo under Xvfb (about 90 s)."
shots=$root/build/demo-shots
set +e
tests/wine/gui/run_gui_scenario.sh "$build/tests/wine/gui/gui_driver.exe" "$build/demo-package" \
  "$build/demo-run" "update-qm-$language" "$printer"
rc=$?
set -e
rm -rf "$shots"
mkdir -p "$shots"
cp "$build"/demo-run/shots/*.png "$shots"/ 2>/dev/null || true
echo "screenshots:"
ls "$shots"/*.png 2>/dev/null | sed 's/^/  /'
exit "$rc"
