#!/usr/bin/env bash
# Runs CMD with a display of its own: `tools/with-xvfb.sh CMD...`. Starts Xvfb
# on the first free display from :90 upward, runs CMD, stops Xvfb and returns
# CMD's exit code. With QMQN_USE_DISPLAY=1 and DISPLAY set, just runs CMD.
set -uo pipefail

if [ "${QMQN_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed" >&2; exit 2; }

xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for n in $(seq 90 140); do
  # A lock file or socket left by another server means the number is taken.
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
    export DISPLAY=":$n"
    break
  fi
  # Lost a race for this number: try the next one.
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
done
if [ -z "$xvfb_pid" ]; then
  echo "with-xvfb: no free display between :90 and :140" >&2
  exit 2
fi

"$@"
rc=$?
exit "$rc"
