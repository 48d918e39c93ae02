#!/usr/bin/env bash
# Start-to-docked-icon time, idle CPU share and resident memory of the program in the tray.
# Usage: bench/idle.sh [build-dir] [idle-seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
export VANTOR_PROGRAM=$build/vantor-screen-tools
export VANTOR_ARTIFACTS=${VANTOR_ARTIFACTS:-$(mktemp -d)}
exec "$here/scripts/desktop-session" "$build/bench/idle_probe" "${2:-30}"
