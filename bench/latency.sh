#!/usr/bin/env bash
# How soon the program answers the toolbar's edge, a key combination and a window moved by a
# guide line, with its monitor at rest (bench/latency_probe.cpp says how).
# Usage: bench/latency.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
export VANTOR_PROGRAM=$build/vantor-screen-tools
export VANTOR_ARTIFACTS=${VANTOR_ARTIFACTS:-$(mktemp -d)}
exec "$here/scripts/desktop-session" "$build/bench/latency_probe"
