#!/usr/bin/env bash
# Starts one simulated adapter on COM1 and the suite's main job against it:
# the status monitor and the device folder where a display exists, else a
# text report through tactl.
set -euo pipefail
build=${1:?build dir}
bin=$build/bin
top=$(cd "$(dirname "$0")/.." && pwd)

sim_pid=""
tray_pid=""
cleanup() {
    for pid in $tray_pid $sim_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    true
}
trap cleanup EXIT

if [ -x "$bin/ta-sim" ]; then
    # Recorded as an installed modem, as a set-up adapter would be.
    "$bin/ta-sim" --scenario "$top/sim/scenarios/box_international.ini" --install --port COM1 &
    sim_pid=$!
    sleep 1
fi

display=${DISPLAY:-}${WAYLAND_DISPLAY:-}
# The status monitor beside the rest: its icon turns to "ready" once it has
# queried the simulated adapter.
if [ -x "$bin/ta-tray" ] && [ -n "$display" ]; then
    "$bin/ta-tray" &
    tray_pid=$!
fi

if [ -x "$bin/ta-folder" ] && [ -n "$display" ]; then
    "$bin/ta-folder"
    exit $?
fi

echo "== registry store =="
"$bin/tactl" reg query 'HKLM\SOFTWARE\Velka\Tamo TA Common\Directory'
if [ -n "$sim_pid" ]; then
    for cmd in ports detect "status COM1" "read COM1"; do
        if "$bin/tactl" help 2>/dev/null | grep -q "^  ${cmd%% *}"; then
            echo "== tactl $cmd =="
            "$bin/tactl" $cmd || true
        fi
    done
fi

if [ -n "$tray_pid" ]; then
    echo "== ta-tray runs in the notification area; Ctrl-C ends the demo =="
    wait "$tray_pid" || true
fi
