#!/usr/bin/env bash
# Compares a full-screen copy saved as a bitmap file by capture_bench with the same done by
# scrot, on a private 1920 x 1080 X server, and prints both medians and their ratio.
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

# Ours: the median of the benchmark's repetitions (it reports milliseconds).
ours=$("$bench" --benchmark_filter='^BM_FullScreenToBitmapFile' \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { print $3 }')

# scrot: one process per capture, as a user runs it, writing a bitmap file.
out=$VANTOR_SESSION_DIR/scrot
mkdir -p "$out"
times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    scrot --overwrite "$out/shot.bmp"
    end=$(date +%s%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print (b - a) / 1e6 }')")
    rm -f "$out/shot.bmp"
done
theirs=$(printf '%s\n' "${times[@]}" | median)

printf 'screen                 %s\n' "$(xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2 }')"
printf 'capture_bench median   %.2f ms\n' "$ours"
printf 'scrot median           %.2f ms\n' "$theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "scrot / capture_bench  %.1fx\n", b / a }'
