#!/usr/bin/env bash
# Whole-screen copy saved as a file on a Wayland desktop (sway's headless 1920 x 1080 output in a
# private session, a native Wayland window over all of it), in one run:
#   screencopy  the program's capture in-process through the compositor's screencopy, call to
#               bitmap file written (capture_bench, BM_CaptureEntireScreen)
#   portal      the same through the desktop's Screenshot portal (VANTOR_SCREEN_COPIES=portal)
#   grim        grim writing a PNG without compression, one process per capture as a user runs it
# and the lens's live copy of a 32 x 32 square (BM_LiveCopy): with the pointer moving it waits
# for the output's next frame; with everything still it reads nothing.
#
#   bench/compare-grim.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR holds bench/capture_bench and the test's colour client (default: build); RUNS is the
# number of grim runs and of benchmark repetitions (default 11). Outside a session it re-runs
# itself inside scripts/desktop-session --sway.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build}
runs=${2:-11}

if [[ -z ${VANTOR_SESSION_DIR:-} ]]; then
    exec "$root/scripts/desktop-session" --sway "$0" "$build" "$runs"
fi

bench=$build/bench/capture_bench
[[ -x $bench ]] || { echo "compare-grim: $bench not built" >&2; exit 1; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

QT_QPA_PLATFORM=wayland "$build/tests/desktop/colour_client" >/dev/null 2>&1 &
client=$!
trap 'kill "$client" 2>/dev/null; wait "$client" 2>/dev/null' EXIT
sleep 1

# Medians of the benchmark's repetitions, in milliseconds, by benchmark name.
measure() {
    env -u QT_QPA_PLATFORM "$@" "$bench" --benchmark_filter='^BM_(CaptureEntireScreen|LiveCopy)' \
        --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null | awk -F, '$1 ~ /_median"?$/ { print $1, $3 }'
}
pick() { awk -v name="$2" 'index($1, name) { print $2 }' <<<"$1"; }
screencopy=$(measure)
portal=$(measure VANTOR_SCREEN_COPIES=portal)

out=$VANTOR_SESSION_DIR/grim
mkdir -p "$out"
times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    grim -l 0 "$out/shot.png"
    end=$(date +%s%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print (b - a) / 1e6 }')")
    rm -f "$out/shot.png"
done
grim=$(printf '%s\n' "${times[@]}" | median)

printf 'capture through screencopy, to a BMP file (median)   %.1f ms\n' \
    "$(pick "$screencopy" BM_CaptureEntireScreen)"
printf 'capture through the portal, to a BMP file (median)   %.1f ms\n' \
    "$(pick "$portal" BM_CaptureEntireScreen)"
printf 'grim, its own process, to a PNG file (median)        %.1f ms\n' "$grim"
printf "the lens's copy of 32 x 32, pointer moving (median)   %.1f ms\n" \
    "$(pick "$screencopy" BM_LiveCopy/1)"
printf "the lens's copy of 32 x 32, all still (median)        %.3f ms\n" \
    "$(pick "$screencopy" BM_LiveCopy/0)"
