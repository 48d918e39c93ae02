#!/usr/bin/env bash
# Wakeups per second of the program at rest in the tray, with no ruler and with 1, 3 and 5
# rulers that were hovered once, and the X server's meanwhile.
# Usage: bench/wakeups.sh [build-dir] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
export VANTOR_PROGRAM=$build/vantor-screen-tools
# The probe's record of the program's output goes to a folder of its own, removed at the end
# unless it was chosen by the caller.
if [[ -z ${VANTOR_ARTIFACTS:-} ]]; then
    VANTOR_ARTIFACTS=$(mktemp -d)
    trap 'rm -rf "$VANTOR_ARTIFACTS"' EXIT
fi
export VANTOR_ARTIFACTS
"$here/scripts/desktop-session" "$build/bench/wakeups_probe" "${2:-10}"
