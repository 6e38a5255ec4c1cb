#!/usr/bin/env bash
# Starts one simulated adapter on COM1 and the suite's main job against it:
# the device folder where a display exists, else a text report through tactl.
set -euo pipefail
build=${1:?build dir}
bin=$build/bin
top=$(cd "$(dirname "$0")/.." && pwd)

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null; true; }
trap cleanup EXIT

if [ -x "$bin/ta-sim" ]; then
    "$bin/ta-sim" --scenario "$top/sim/scenarios/box_international.ini" --port COM1 &
    sim_pid=$!
    sleep 1
fi

if [ -x "$bin/folder" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$bin/folder"
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
