#!/usr/bin/env bash
# Full-screen copy saved as a bitmap file, three ways in one run on a private 1920 x 1080 X server:
#   ours    the program's own path in-process (capture_bench, BM_CaptureEntireScreen)
#   floor   one shared-memory copy and one write of a 24-bit BMP (capture_bench, BM_ShmBmpFloor),
#           its buffers kept between shots and packed four pixels at a time: what no program can
#           beat; the repetitions of ours and the floor's interleave at random
#   scrot   scrot's capture-and-save work after its start-up: the median of full-screen runs less
#           the median of runs that save a single pixel, which cost its start-up and little else
# and the panel snap from the click to the file written, with the compositor running.
#
#   bench/compare-scrot.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR holds bench/capture_bench (default: build); RUNS is the number of scrot runs and of
# benchmark repetitions (default 21). Outside a session it re-runs itself inside
# scripts/desktop-session, which provides the X server.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build}
runs=${2:-21}

if [[ -z ${VANTOR_SESSION_DIR:-} ]]; then
    export VANTOR_SCREEN=${VANTOR_SCREEN:-1920x1080x24}
    exec "$root/scripts/desktop-session" --no-tray "$0" "$build" "$runs"
fi

bench=$build/bench/capture_bench
[[ -x $bench ]] || { echo "compare-scrot: $bench not built" >&2; exit 1; }
command -v scrot >/dev/null || { echo "compare-scrot: scrot is not installed" >&2; exit 1; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Medians of the benchmark's repetitions, in milliseconds, by benchmark name.
results=$("$bench" --benchmark_filter='^BM_(CaptureEntireScreen|ShmBmpFloor|PanelSnapClickToFile)' \
    --benchmark_repetitions="$runs" --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null | awk -F, '$1 ~ /_median"?$/ { print $1, $3 }')
pick() { awk -v name="$1" 'index($1, name) { print $2 }' <<<"$results"; }
ours=$(pick BM_CaptureEntireScreen/0)
ours_png=$(pick BM_CaptureEntireScreen/1)
floor=$(pick BM_ShmBmpFloor)
snap=$(pick BM_PanelSnapClickToFile)

# scrot: one process per capture, as a user runs it, writing a bitmap file.
out=$VANTOR_SESSION_DIR/scrot
mkdir -p "$out"
scrot_median() {
    local times=() start end i
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        scrot --overwrite "$@" "$out/shot.$extension"
        end=$(date +%s%N)
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print (b - a) / 1e6 }')")
        rm -f "$out/shot.$extension"
    done
    printf '%s\n' "${times[@]}" | median
}
extension=bmp
whole=$(scrot_median)
pixel=$(scrot_median --autoselect 0,0,1,1)
extension=png
whole_png=$(scrot_median)

printf 'screen                                   %s\n' "$(xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2 }')"
printf 'ours, in-process (median)                %.2f ms\n' "$ours"
printf 'floor, XShm + BMP write (median)         %.2f ms\n' "$floor"
awk -v a="$ours" -v b="$floor" 'BEGIN { printf "ours / floor                             %.2fx\n", a / b }'
printf 'scrot, whole process (median)            %.2f ms\n' "$whole"
printf 'scrot, start-up: a 1-pixel shot (median) %.2f ms\n' "$pixel"
awk -v w="$whole" -v p="$pixel" -v a="$ours" 'BEGIN {
    printf "scrot, capture and save after start-up   %.2f ms (%.1fx ours)\n", w - p, (w - p) / a }'
printf 'ours as PNG, in-process (median)         %.2f ms\n' "$ours_png"
awk -v w="$whole_png" -v p="$pixel" -v a="$ours_png" 'BEGIN {
    printf "scrot PNG, capture and save after start-up %.2f ms (%.1fx ours)\n", w - p, (w - p) / a }'
printf 'panel snap, click to file (median)       %.2f ms\n' "$snap"
