# The helpers of the qmqn tests under Wine, sourced after $root, $package
# (the demo package) and $work are set.

# A Wine prefix of the test's own (QMQN_WINEPREFIX, default <cache>/<name>),
# held by this test alone while it runs.
own_prefix() {
  export QMQN_WINEPREFIX="${QMQN_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/$1}"
  export WINEPREFIX="$QMQN_WINEPREFIX" WINEDEBUG=-all
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$WINEPREFIX.cli-lock"
  flock -w 1800 8
}

# The package copied into $work/package ($copy), its simulated printers new.
fresh_copy() {
  rm -rf "$work"
  mkdir -p "$work"
  copy=$work/package
  cp -a "$package" "$copy"
  rm -f "$copy"/tool/ZAP*.state "$copy"/tool/ZAP*.trace
}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
now() { date +%s.%N; }
# qmqn <expected exit code> <name> args...: stdout in <name>.out, stderr in
# <name>.err; with CTRL_C_AFTER=<seconds> set, a Ctrl+C that long after the
# start, and WHILE_RUNNING=<function> called 8 s after the start.
qmqn() {
  local want=$1 name=$2 code=0
  shift 2
  local start end
  start=$(now)
  (cd "$work" && "$root/tools/wine-run.sh" "$copy/tool/qmqn.exe" "$@" </dev/null \
     >"$work/$name.out" 2>"$work/$name.err") &
  local runner=$!
  if [ -n "${CTRL_C_AFTER:-}" ]; then
    sleep 8
    [ -z "${WHILE_RUNNING:-}" ] || CTRL_C_AFTER='' WHILE_RUNNING='' "$WHILE_RUNNING"
    local left
    left=$(echo "$CTRL_C_AFTER - ($(now) - $start)" | bc)
    [ "${left:0:1}" = - ] || sleep "$left"
    # The one process whose whole command line is this run's: Windows style
    # (Z: is /) with 32-bit Wine installed, the Unix path with wine64 alone.
    local pids line="Z:${copy//\//\\}\\tool\\qmqn.exe $*" unix="$copy/tool/qmqn.exe $*"
    pids=$(ps -eo pid=,args= | L="$line" U="$unix" awk '{ pid = $1; sub(/^ *[0-9]+ /, "") }
      $0 == ENVIRON["L"] || $0 == ENVIRON["U"] { print pid }')
    if [ "$(wc -w <<<"$pids")" = 1 ]; then kill -INT "$pids"; else fail "no single qmqn to interrupt: $pids"; fi
  fi
  wait "$runner" || code=$?
  end=$(now)
  sed -i 's/\r$//' "$work/$name.out" "$work/$name.err"
  printf '%-28s exit %3d  %6.1f s\n' "qmqn ${1:-}" "$code" "$(echo "$end - $start" | bc)"
  echo "$end - $start" | bc >"$work/$name.seconds"
  [ "$code" = "$want" ] || { fail "qmqn $* exited $code, not $want"; cat "$work/$name.out" "$work/$name.err"; }
}
has() { grep -qF -- "$2" "$work/$1" || fail "$1 lacks: $2"; }
json() {  # json <name> <python expression over lines, a list of objects>
  /usr/bin/python3 - "$work/$1.out" "$2" <<'PY' || fail "$1: $2"
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1], encoding="utf-8") if l.strip()]
by = {o.get("printer"): o for o in lines}
sys.exit(0 if eval(sys.argv[2]) else 1)
PY
}

