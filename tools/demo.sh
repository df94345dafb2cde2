#!/usr/bin/env bash
# The updater against the simulated printer: a QM and a QN printer taken
# through the start-up check, the update and a second start, with every change
# of the updater's window printed as it happens (virtual time, so the minute
# of a real update passes at once). Arguments: [qm|qn|both] [en|ja].
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/ensure-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target qmqn_console_demo >/dev/null
exec build/native/bin/qmqn_console_demo "${1:-both}" "${2:-en}"
