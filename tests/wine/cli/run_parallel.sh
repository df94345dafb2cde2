#!/usr/bin/env bash
# qmqn update --all --parallel and qmqn check under Wine, against simulated
# printers of both families on their own ports: a single update of each
# family first (the reference command sequence and time), then four printers
# at once beside one that fails, then a stop in the flash waits.
#   run_parallel.sh <demo package dir> <work dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
package=$1 work=$2

. "$here/cli_lib.sh"
own_prefix qmqn-wine-parallel
fresh_copy
cat >"$copy/tool/ZAPQMLM.ini" <<'INI'
[sim]
trace = ZAPQMLM.trace
[printer USB001]
family = QM
[printer USB003]
family = QM
[printer USB008]
family = QM
never_rewrite = yes
[printer USB005]
family = QM
INI
cat >"$copy/tool/ZAPQNLM.ini" <<'INI'
[sim]
trace = ZAPQNLM.trace
[printer USB002]
family = QN
[printer USB004]
family = QN
INI
trap 'wineserver -k 2>/dev/null || true' EXIT
bash "$root/tests/wine/gui/prepare_wine_printers.sh" \
  "QM Alpha|USB001|00000840" "QM Beta|USB003|00000840" "QN Gamma|USB002|00000840" "QN Delta|USB004|00000840" \
  "Stubborn QM|USB008|00000840" "QM Offline|USB005|00000c40" "Office Laser|LPT1:|00000840"
rm -rf "$WINEPREFIX/drive_c/ProgramData/QMQN/runs"

# Each port's commands, without call numbers and times: the trace line's kind
# and the bytes sent.
sequence() {  # sequence <trace file> <port>
  awk -v port="$2" '$3 == port { print $4, $5 }' "$1"
}
fresh() { rm -f "$copy"/tool/ZAP*.state "$copy"/tool/ZAP*.trace; }

# One update of each family, in two processes (two monitors).
fresh
start=$(now)
(cd "$work" && "$root/tools/wine-run.sh" "$copy/tool/qmqn.exe" update "QN Gamma" </dev/null >"$work/ref-qn.out" 2>&1) &
ref_qn=$!
qmqn 0 ref-qm update "QM Alpha"
wait "$ref_qn" || fail "the single QN update exited $?"
single=$(echo "$(now) - $start" | bc)
sequence "$copy/tool/ZAPQMLM.trace" USB001 >"$work/ref-qm.seq"
sequence "$copy/tool/ZAPQNLM.trace" USB002 >"$work/ref-qn.seq"
[ "$(grep -c . "$work/ref-qm.seq")" -gt 100 ] || fail "the reference QM update sent $(grep -c . "$work/ref-qm.seq") commands"

# Four at once, one that never takes rewrite mode beside them: the four end
# updated, each with the commands a single update sends, in the same order.
fresh
qmqn 40 parallel update --all --parallel --json --log fleet.log
json parallel 'len(lines) == 7'
json parallel 'all(by[p]["outcome"] == "updated" for p in ("QM Alpha", "QM Beta", "QN Gamma", "QN Delta"))'
json parallel 'by["QM Beta"]["after"]["firmware"] == "QM_MASTER 5.00  QM_SLAVE  5.00" and by["QM Beta"]["after"]["colorDataChecksum"] == "FF32"'
json parallel 'by["Stubborn QM"]["outcome"] == "printer-failed" and by["QM Offline"]["outcome"] == "not-ready"'
json parallel 'by["Office Laser"]["outcome"] == "not-qm-qn"'
has parallel.err "[QM Beta]   step 4/5"
[ "$(grep -c . "$work/fleet.log")" = 7 ] || fail "fleet.log holds $(grep -c . "$work/fleet.log") lines, not 7"
for check in "ZAPQMLM USB001 ref-qm" "ZAPQMLM USB003 ref-qm" "ZAPQNLM USB002 ref-qn" "ZAPQNLM USB004 ref-qn"; do
  read -r monitor port ref <<<"$check"
  sequence "$copy/tool/$monitor.trace" "$port" >"$work/$port.seq"
  cmp -s "$work/$port.seq" "$work/$ref.seq" || fail "$port's commands differ from a single update's: $(diff "$work/$ref.seq" "$work/$port.seq" | head -5)"
done
durations=$(/usr/bin/python3 -c '
import json, sys
print(sum(json.loads(l)["durationMs"] for l in open(sys.argv[1]) if l.strip()) / 1000)' "$work/parallel.out")

# check: read-only, 0 up to date, 12 due, and the errors as update has them.
qmqn 0 check-current check "QM Alpha"
qmqn 12 check-due check "Stubborn QM" --json
json check-due 'lines[0]["updateDue"] is True and lines[0]["outcome"] == "update-due"'
qmqn 22 check-all check --all
has check-all.out "QN Delta (USB004, QN): up to date"
has check-all.out "Stubborn QM (USB008, QM): update due"
qmqn 22 check-offline check "QM Offline"
qmqn 21 check-laser check "Office Laser"
qmqn 20 check-nobody check Nobody
held_check() { qmqn 23 check-held check --port USB001; }

# Ctrl+C in the flash waits: both running printers finish, the rest are
# never started.
fresh
CTRL_C_AFTER=25 WHILE_RUNNING=held_check qmqn 22 stopped update --all --parallel 2 --json
json stopped 'by["QM Alpha"]["outcome"] == "updated" and by["QM Beta"]["outcome"] == "updated"'
json stopped 'all(by[p]["outcome"] == "stopped" for p in ("QN Gamma", "QN Delta", "Stubborn QM"))'
has stopped.err "Stop requested: qmqn stops once QM Alpha is safe."
! grep -qE '^#[0-9]+ t=[0-9]+ USB00[248] ' "$copy"/tool/ZAP*.trace || fail "a printer not started got commands"

echo "one update of each family at once: $single s"
echo "four updates and a failing one with --parallel: $(cat "$work/parallel.seconds") s (one after the other: $durations s of runs)"
echo "two updates with --parallel 2 and a stop: $(cat "$work/stopped.seconds") s"
exit $((failures > 0))
