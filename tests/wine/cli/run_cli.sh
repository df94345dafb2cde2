#!/usr/bin/env bash
# qmqn from the demo package under Wine, against simulated printers of both
# families in the spooler: every command, the error exits, JSON and the log.
# One QM update from old firmware (about a minute of the run's fixed waits).
#   run_cli.sh <demo package dir> <work dir> [--read-only]
# --read-only: everything but the update runs.
# Ctrl+C is a SIGINT to the program's Wine process, which Wine hands to its
# console handler as CTRL_C_EVENT.
# The Wine prefix is its own (QMQN_WINEPREFIX, default ~/.cache/qmqn-wine-cli).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
package=$1 work=$2 read_only=${3:-}

. "$here/cli_lib.sh"
own_prefix qmqn-wine-cli
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
INI
# Seven more, up to date: eleven usable printers, one more than a status
# library registers at a time.
for i in 1 2 3 4 5 6 7; do
  printf '[printer USB1%02d]\nfamily = QM\nfirmware = QM_MASTER 5.00  QM_SLAVE  5.00\ncolor_data = release\n' "$i"
done >>"$copy/tool/ZAPQMLM.ini"
cat >"$copy/tool/ZAPQNLM.ini" <<'INI'
[printer USB002]
family = QN
firmware = QN_MASTER 2.00  QN_SLAVE  2.00
[printer USB004]
family = QN
status = 2300
INI
spares=()
for i in 1 2 3 4 5 6 7; do spares+=("Spare QM $i|USB10$i|00000840"); done
trap 'wineserver -k 2>/dev/null || true' EXIT
bash "$root/tests/wine/gui/prepare_wine_printers.sh" \
  "QM Thermal Printer|USB001|00000840" "QN Thermal Printer|USB002|00000840" \
  "Office Laser|LPT1:|00000840" "QM Offline|USB003|00000c40" "Принтер QN 🖨|USB004|00000840" "${spares[@]}" \
  "No Bidi QM|USB009|00000040" "Stubborn QM|USB008|00000840"
# The host's run records start empty.
runs_dir="$WINEPREFIX/drive_c/ProgramData/QMQN/runs"
rm -rf "$runs_dir"

qmqn 0 help --help
has help.out "64  bad usage"
qmqn 64 none
has none.err "Run qmqn --help"
qmqn 64 bad-lang update QM --lang de
qmqn 20 no-such update Nobody
has no-such.err "No such printer: printer Nobody"

qmqn 0 list list --json
json list 'len(lines) == 14 and all(by["Spare QM %d" % i]["updateDue"] is False for i in range(1, 8))'
json list 'by["QM Thermal Printer"]["family"] == "QM" and by["QM Thermal Printer"]["updateDue"] is True'
json list 'by["QN Thermal Printer"]["updateDue"] is False and by["QN Thermal Printer"]["status"] == "0x10001"'
json list 'by["Office Laser"]["family"] is None and by["QM Offline"]["reason"] == "offline"'
json list 'by["Принтер QN 🖨"]["statusMeaning"] == "answer 2300, printer error"'
qmqn 0 list-text list
has list-text.out "Принтер QN 🖨"
# Letter case by the host's rules, for every character; an ambiguous
# beginning lists what it matches.
qmqn 0 info-cyrillic info "принтер qn" --json
json info-cyrillic 'lines[0]["printer"] == "Принтер QN 🖨"'
qmqn 64 ambiguous update QM
has ambiguous.err "  QM Offline"

qmqn 0 info info --port usb002 --json
json info 'lines[0]["serialNumber"] and lines[0]["counterL"] == 48211 and "mediaIdSetInfo" in lines[0]'
qmqn 0 info-text info "qm th"
has info-text.out "Counter B                     377"
qmqn 21 info-laser info Office
qmqn 22 info-offline info "QM Offline" --json
json info-offline 'lines[0]["usable"] is False and lines[0]["reason"] == "offline"'
qmqn 21 laser update "Office Laser"

# Release files that are not the package's: refused before any printer
# command, whatever the damage.
trace_size() { stat -c %s "$copy/tool/ZAPQMLM.trace" 2>/dev/null || echo 0; }
damage() {  # damage <name> <python expression over data, the file's bytes>
  cp "$copy/tool/$1" "$work/$1.intact"
  /usr/bin/python3 - "$copy/tool/$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[1], "wb").write(eval(sys.argv[2]))
PY
}
for case in "QM_M0500S0500.S|data[:data.index(b'\n') + 1]|cut" "QM_M0500S0500.S|data[:40] + bytes([data[40] ^ 1]) + data[41:]|garbled" \
            "QM0210.QMD|data[:-3]|short"; do
  IFS='|' read -r file change what <<<"$case"
  damage "$file" "$change"
  before=$(trace_size)
  qmqn 30 "damaged-$what" update "QM Thermal Printer" --json
  has "damaged-$what.err" "$file is not the file this package was built with"
  [ "$(trace_size)" = "$before" ] || fail "damaged-$what: the printer got commands"
  mv "$work/$file.intact" "$copy/tool/$file"
done
# A log that can't be opened: nothing is sent either.
before=$(trace_size)
qmqn 31 no-log-folder update "QM Thermal Printer" --log "$work/no such folder/fleet.log"
[ "$(trace_size)" = "$before" ] || fail "no-log-folder: the printer got commands"
if [ "$read_only" = --read-only ]; then
  echo "qmqn list on 12 printers (11 usable): $(cat "$work/list.seconds") s"
  exit $((failures > 0))
fi

# Meanwhile its port is held: another qmqn leaves it alone, a printer on
# another port is not blocked and updates at the same time.
held_elsewhere() {
  qmqn 23 held info --port USB001
  has held.err "Another process holds the printer: QM Thermal Printer"
  (cd "$work" && exec "$root/tools/wine-run.sh" "$copy/tool/qmqn.exe" update "QN Thermal Printer" --force \
     </dev/null >"$work/other.out" 2>"$work/other.err") &
  other=$!
}
# Ctrl+C in the QM printer's flash wait: that printer is finished, the next
# ones are not started.
# Every printer is accounted for: the offline one counts as not ready.
CTRL_C_AFTER=20 WHILE_RUNNING=held_elsewhere qmqn 22 all update --all --json --log fleet.log
has all.err "Stop requested: qmqn stops once QM Thermal Printer is safe."
json all 'len(lines) == 14 and by["QM Thermal Printer"]["outcome"] == "updated"'
json all 'by["QM Thermal Printer"]["after"]["firmware"] == "QM_MASTER 5.00  QM_SLAVE  5.00"'
json all 'by["QM Thermal Printer"]["after"]["colorDataChecksum"] == "FF32"'
json all 'by["QM Offline"]["outcome"] == "not-ready" and by["QM Offline"]["message"] == "passed over: offline"'
json all 'by["No Bidi QM"]["message"] == "passed over: no bidirectional support"'
json all 'by["Office Laser"]["outcome"] == "not-qm-qn"'
json all 'all(o["outcome"] == "stopped" for o in lines if o["printer"].startswith(("Spare", "QN", "Принтер")))'
has all.err "step 4/5"
[ "$(grep -c . "$work/fleet.log" 2>/dev/null)" = 14 ] || fail "fleet.log holds $(grep -c . "$work/fleet.log") lines, not 14"
wait "$other" || fail "the QN update beside it exited $?"
# Both runs, on two ports at once, left whole records.
qmqn 0 history-two history --json
json history-two 'len(lines) == 2 and all(o["state"] == "complete" for o in lines)'
json history-two 'by["QM Thermal Printer"]["before"]["firmware"] == "QM_MASTER 4.10  QM_SLAVE  4.10"'
json history-two 'by["QM Thermal Printer"]["after"]["colorDataChecksum"] == "FF32"'
json history-two 'by["QN Thermal Printer"]["outcome"] == "updated" and by["QN Thermal Printer"]["program"] == "qmqn.exe"'
grep -qP '^\S+Z\t[^\t]+\tQM Thermal Printer\tUSB001\tQM\tQM_MASTER 4.10  QM_SLAVE  4.10\tQM_MASTER 5.00  QM_SLAVE  5.00\t' \
  "$work/fleet.log" || fail "fleet.log's QM line"
# Up to date, in error, and one that never takes rewrite mode: the worst wins.
qmqn 40 again update --all --log fleet.log
has again.out "QM Thermal Printer (USB001, QM): already up to date, nothing done"
has again.out "QN Thermal Printer (USB002, QN): already up to date, nothing done"
has again.out "Принтер QN 🖨 (USB004, QN): printer not ready"
has again.out "Spare QM 7 (USB107, QM): already up to date, nothing done"
has again.out "Office Laser (LPT1:): not a QM/QN printer - passed over: not a QM/QN printer"
has again.out "Stubborn QM (USB008, QM): the printer failed during the update"
[ "$(grep -c . "$work/fleet.log" 2>/dev/null)" = 28 ] || fail "fleet.log holds $(grep -c . "$work/fleet.log") lines, not 28"
# The failed run's trace ends with the call that failed, with its status.
stubborn=$(ls "$runs_dir" | grep -- '-USB008\.run$' | tail -1)
qmqn 0 trace history --trace "$stubborn"
[ "$(grep '^call' "$work/trace.out" | tail -1 | grep -c $'export=QmGetStatus\targs=handle=[0-9]*\tresult=0x10001')" = 1 ] ||
  fail "the stubborn run's last call: $(grep '^call' "$work/trace.out" | tail -1)"
has trace.out $'end\tms='
# A record that can't be made costs the record, not the update.
mv "$runs_dir" "$runs_dir.kept" && : >"$runs_dir"
qmqn 0 unrecorded update "QN Thermal Printer" --force
has unrecorded.err "could not be recorded"
rm -f "$runs_dir" && mv "$runs_dir.kept" "$runs_dir"
qmqn 10 one update "qm therm" --lang ja

# A run killed in the flash wait: the rerun names it, logs it once, and leaves
# a printer that answers FU2 alone.
rm -f "$copy"/tool/ZAPQMLM.state
(cd "$work" && exec "$root/tools/wine-run.sh" "$copy/tool/qmqn.exe" update "QM Thermal Printer" </dev/null \
   >"$work/killed.out" 2>&1) &
killed=$!
sleep 20
pkill -KILL -f "qmqn.exe update QM Thermal Printer" || fail "no qmqn to kill"
wait "$killed" 2>/dev/null || true
qmqn 22 rerun update "QM Thermal Printer" --log fleet.log
has rerun.err "was interrupted in step 4"
# The history marks it; a cut file and a garbage file are passed over and counted.
head -c 40 "$runs_dir/$(ls "$runs_dir" | grep '\.run$' | head -1)" >"$runs_dir/99991231T000000Z-1-CUT.run"
head -c 3000 /dev/urandom >"$runs_dir/99991231T000000Z-2-GARBAGE.run"
qmqn 0 history history "QM Thermal" --json
json history 'lines[0]["state"] == "interrupted" and lines[0]["lastStep"] == 4'
json history 'any(o["state"] == "complete" and o["outcome"] == "updated" for o in lines[1:])'
has history.err "2 file(s) in the runs folder are not readable run records"
has rerun.err "leave it switched on, wait a few minutes"
grep -qP '\tQM Thermal Printer\tUSB001\tQM\tQM_MASTER 4.10  QM_SLAVE  4.10\t.*\tinterrupted\t-\t-\r?$' "$work/fleet.log" ||
  fail "fleet.log lacks the interrupted run"

echo "qmqn update --all (one QM update): $(cat "$work/all.seconds") s; the fixed waits of a QM run add up to at least 60.75 s"
echo "qmqn list on 12 printers (11 usable): $(cat "$work/list.seconds") s"
exit $((failures > 0))
