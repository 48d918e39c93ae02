#!/usr/bin/env bash
# The zoom lens against kmag (KDE's magnifier), both at 20x and both following the same pointer,
# in one run on a private 1920 x 1080 X server with a window manager and a compositor:
#   moving  the pointer moves 2 pixels every 10 ms (xdotool) over a window of random pixels, so
#           that every move changes what both magnify; neither magnifier is under it
#   still   the pointer rests over the random pixels, and nothing on the screen changes
# Each magnifier runs alone in its stretches, the other stopped (SIGSTOP), so that the X server's
# and the compositor's work in a stretch is on its account; a stretch with both stopped gives
# what the moving pointer and the session cost by themselves, taken off. Over SECONDS in each:
#   processor time  user plus system time of each whole process, from /proc/PID/stat: for ours
#                   the whole program (tray icon, toolbar, its own timers), not the lens alone;
#                   the X server's and the compositor's counted with it as the whole cost
#   frames          reports of new pixels in each magnifier's window from the X server's DAMAGE
#                   extension (bench/framecount.c): each is a refresh that painted.
#                   Two paints that land before one report is read count once.
# The whole cost per frame is that of the moving stretch over its frames.
# Ours draws when the pointer moves or the screen under it changes, at most every 16 ms; kmag is set to its fastest refresh ("Very High", 25 a second),
# follow-mouse mode and no pointer drawn, in a window whose zoom view shows about the same
# 32 x 32 screen pixels (scroll bars included, it is 640 x 760).
#
#   bench/compare-kmag.sh [BUILD_DIR] [SECONDS]
#
# BUILD_DIR holds vantor-screen-tools (default: build); SECONDS is the length of each stretch
# (default 10). Outside a session it re-runs itself inside scripts/desktop-session. kmag is for
# this script only: apt-get install kmag.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build}
seconds=${2:-10}

if [[ -z ${VANTOR_SESSION_DIR:-} ]]; then
    export VANTOR_SCREEN=1920x1080x24
    exec "$root/scripts/desktop-session" "$0" "$build" "$seconds"
fi

fail() {
    echo "compare-kmag: $*" >&2
    exit 1
}
program=$build/vantor-screen-tools
[[ -x $program ]] || fail "$program not built"
command -v kmag >/dev/null || fail "kmag is not installed (apt-get install kmag)"
session=$VANTOR_SESSION_DIR
cc -O2 -o "$session/framecount" "$here/framecount.c" -lXdamage -lX11 ||
    fail "cannot build framecount"

# Stopped by their process ids when the script ends, however it ends.
started=()
stop_started() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap stop_started EXIT

# The window of the process whose WM_WINDOW_ROLE or title is NAME, once it shows.
#   window_of PID NAME [SECONDS_TO_WAIT]
window_of() {
    local pid=$1 name=$2 window deadline=$((SECONDS + ${3:-20}))
    while ((SECONDS < deadline)); do
        for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            if xprop -id "$window" WM_WINDOW_ROLE WM_NAME _NET_WM_NAME 2>/dev/null | grep -q "= \"$name\""; then
                echo "$window"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
width_of() { xwininfo -id "$1" | awk '/Width:/ { print $2 }'; }

# Random pixels from the corner to x 1100, y 1000 (a plain PPM picture that ImageMagick shows).
{
    printf 'P6\n1100 1000\n255\n'
    head -c $((1100 * 1000 * 3)) /dev/urandom
} >"$session/noise.ppm"
display -geometry +0+0 "$session/noise.ppm" &
started+=($!)
# ImageMagick does not say which process its windows are.
timeout 20 xdotool search --sync --onlyvisible --name 'noise\.ppm$' >/dev/null ||
    fail "the picture of random pixels did not show"

mkdir -p "$XDG_CONFIG_HOME"
cat >"$XDG_CONFIG_HOME/kmagrc" <<'EOF'
[General Options]
Geometry=640,760
ZoomIndex=13
FPSIndex=4
Mode=followmouse
ShowMouse=0
EOF
kmag >"$session/log/kmag.log" 2>&1 &
kmag_pid=$!
started+=("$kmag_pid")
kmag_window=$(window_of $kmag_pid KMagnifier) || fail "kmag did not show its window"
xdotool windowmove "$kmag_window" 0 0

"$program" >"$session/log/program.log" 2>&1 &
ours_pid=$!
started+=("$ours_pid")
window_of $ours_pid frmToolbar >/dev/null || fail "the program did not start"
# Pressed again while no lens shows: a press in the program's first moments can come before
# it looks at the keyboard.
lens=
for _ in {1..5}; do
    xdotool key ctrl+5
    lens=$(window_of $ours_pid frmZoom 3) && break
done
[[ -n $lens ]] || fail "Ctrl+5 did not open the lens"
# 20x from the lens's menu: Zoom, then the tenth of 2x, 4x, ... 20x.
read -r x y < <(xwininfo -id "$lens" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { print x + 20, $4 + 20 }')
xdotool mousemove "$x" "$y" click 3 sleep 0.5 key Down Right sleep 0.3 \
    key Down Down Down Down Down Down Down Down Down Return
for _ in {1..50}; do
    [[ $(width_of "$lens") == 640 ]] && break
    sleep 0.1
done
[[ $(width_of "$lens") == 640 ]] || fail "the lens did not go to 20x"
xdotool windowmove "$lens" 1270 20

# Over the random pixels, right of kmag and left of the lens, 16 pixels clear of both: rows 40
# pixels apart from y 80, swept 2 pixels a move between x 700 and 1060.
moves=$((seconds * 100))
path=$(awk -v n="$moves" 'BEGIN {
    for (i = 0; i < n; i++) {
        row = int(i / 180); column = i % 180
        x = row % 2 ? 1060 - 2 * column : 700 + 2 * column
        printf "mousemove %d %d sleep 0.01 ", x, 80 + 40 * (row % 22)
    } }')
xdotool mousemove 700 80
sleep 2

# Processor seconds a process has spent so far.
hz=$(getconf CLK_TCK)
cpu_of() { awk -v hz="$hz" '{ sub(/.*\) /, ""); printf "%.2f\n", ($12 + $13) / hz }' "/proc/$1/stat"; }
# One stretch with only the magnifier of PID running, the other stopped (none with PID 0): its
# frames and processor seconds, then those the X server and the compositor spent meanwhile.
# Prints: FRAMES OWN_SECONDS SERVER_SECONDS COMPOSITOR_SECONDS
stretch() {
    local running=$1 moving=$2 pid server compositor counted mover=
    for pid in "$ours_pid" "$kmag_pid"; do
        [[ $pid == "$running" ]] && kill -CONT "$pid" || kill -STOP "$pid"
    done
    sleep 1
    if [[ $moving == 1 ]]; then
        xdotool mousemove 700 80
        # shellcheck disable=SC2086 # the path is xdotool's chain of commands, one word each
        xdotool $path &
        mover=$!
    fi
    server=$(cpu_of "$VANTOR_SERVER_PID")
    compositor=$(cpu_of "$VANTOR_COMPOSITOR_PID")
    counted=$("$session/framecount" "$seconds" "$ours_pid:$lens" "$kmag_pid:$kmag_window")
    server=$(awk -v a="$server" -v b="$(cpu_of "$VANTOR_SERVER_PID")" 'BEGIN { print b - a }')
    compositor=$(awk -v a="$compositor" -v b="$(cpu_of "$VANTOR_COMPOSITOR_PID")" \
        'BEGIN { print b - a }')
    [[ -n $mover ]] && { kill "$mover" 2>/dev/null; wait "$mover" 2>/dev/null || true; }
    xdotool mousemove 880 500
    awk -v pid="$running" -v s="$server" -v c="$compositor" \
        '$1 == pid { f = $4; t = $3 } END { print f + 0, t + 0, s, c }' <<<"$counted"
}
ours_moving=$(stretch "$ours_pid" 1)
kmag_moving=$(stretch "$kmag_pid" 1)
none_moving=$(stretch 0 1)
ours_still=$(stretch "$ours_pid" 0)
kmag_still=$(stretch "$kmag_pid" 0)
none_still=$(stretch 0 0)
kill -CONT "$ours_pid" "$kmag_pid"

awk -v seconds="$seconds" -v moves="$moves" -v om="$ours_moving" -v km="$kmag_moving" \
    -v nm="$none_moving" -v os="$ours_still" -v ks="$kmag_still" -v ns="$none_still" '
function total(line, none,   a, n) {
    split(line, a, " "); split(none, n, " ")
    return a[2] + (a[3] - n[3]) + (a[4] - n[4])
}
function field(line, i,   a) { split(line, a, " "); return a[i] }
BEGIN {
    printf "zoom 20x, %d s a stretch, each magnifier alone (the other stopped), %d pointer moves\n", seconds, moves
    printf "planned (one every 10 ms); the X server and compositor time less that of a stretch\n"
    printf "with both stopped (%.2f s and %.2f s moving, %.2f s and %.2f s still)\n", field(nm, 3), field(nm, 4), field(ns, 3), field(ns, 4)
    printf "moving pointer                 ours               kmag\n"
    printf "  frames                       %-18d %d\n", field(om, 1), field(km, 1)
    printf "  own processor time           %-18s %s\n", sprintf("%.0f ms", field(om, 2) * 1000), sprintf("%.0f ms", field(km, 2) * 1000)
    printf "  X server time                %-18s %s\n", sprintf("%.0f ms", (field(om, 3) - field(nm, 3)) * 1000), sprintf("%.0f ms", (field(km, 3) - field(nm, 3)) * 1000)
    printf "  compositor time              %-18s %s\n", sprintf("%.0f ms", (field(om, 4) - field(nm, 4)) * 1000), sprintf("%.0f ms", (field(km, 4) - field(nm, 4)) * 1000)
    to = total(om, nm); tk = total(km, nm)
    printf "  whole cost per second        %-18s %s\n", sprintf("%.1f %% of a core", 100 * to / seconds), sprintf("%.1f %% of a core", 100 * tk / seconds)
    po = field(om, 1) ? to * 1000 / field(om, 1) : 0; pk = field(km, 1) ? tk * 1000 / field(km, 1) : 0
    printf "  whole cost per frame         %-18s %s\n", sprintf("%.3f ms", po), sprintf("%.3f ms", pk)
    if (pk > 0 && tk > 0)
        printf "  ours / kmag: per frame %.3f, per second %.3f\n", po / pk, to / tk
    printf "still pointer, still screen\n"
    printf "  frames                       %-18d %d\n", field(os, 1), field(ks, 1)
    printf "  whole processor share        %-18s %s\n", sprintf("%.2f %%", 100 * total(os, ns) / seconds), sprintf("%.2f %%", 100 * total(ks, ns) / seconds)
}'
