#!/usr/bin/env bash
# Runs a Windows program under Wine (the cross-compiling emulator of the MinGW
# presets): `tools/wine-run.sh prog.exe args...`. The exit code is the
# program's. All callers share one prefix, created on first use and reused;
# a lock keeps parallel tests from creating it twice.
# QMQN_WINEPREFIX overrides where the prefix lives. A test that needs a display
# wraps this script: `tools/with-xvfb.sh tools/wine-run.sh prog.exe`.
set -euo pipefail

prefix="${QMQN_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/qmqn-wine}"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

# A prefix made before wine32 was installed cannot run 32-bit programs.
wine32=no
for d in /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows /opt/wine*/lib/wine/i386-windows; do
  [ -d "$d" ] && wine32=yes
done
stamp="wine32=$wine32"

mkdir -p "$(dirname "$prefix")"
{
  flock 9
  if [ "$(cat "$prefix/.qmqn-ready" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$prefix"
    wineboot -i </dev/null >/dev/null 2>&1
    # Without a window manager every window close would wait about 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    printf '%s\n' "$stamp" >"$prefix/.qmqn-ready"
  fi
} 9>"$prefix.lock"

# Wine's background services start with the first program and inherit its
# output; under CTest they would hold the output pipe open until the
# wineserver exits. Start them (or find them running) detached first.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true

exec wine "$@"
