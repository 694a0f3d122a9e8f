#!/usr/bin/env bash
# The CPU a freehand drag costs: Garabix on a private Xvfb screen of
# 1920x1080, past its welcome window, the pencil dragged for 10 seconds at
# 100 pointer moves a second (a Lissajous curve over the canvas). Prints the
# program's CPU time (user and system, all threads) per second of drawing
# and its threads' wake-ups (voluntary context switches) per second. The
# drawing the program saves as it is stopped goes to the run's own folder.
#   drag-cpu.sh PROGRAM [runs]
set -euo pipefail
program=$(realpath "$1")
runs=${2:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/garabix-drag.XXXXXX")
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
app=
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
moves=$(python3 -c "
import math
print(' '.join('mousemove %d %d sleep 0.01' % (1000 + 500 * math.cos(i / 40), 550 + 350 * math.sin(i / 27)) for i in range(1000)))")
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }
for run in $(seq "$runs"); do
    mkdir -p "$work/home$run"
    HOME="$work/home$run" XDG_CONFIG_HOME="$work/home$run/.config" \
        XDG_DATA_HOME="$work/home$run/.local/share" "$program" \
        --set "drawings/folder=$work/home$run/drawings" >"$work/app$run.log" 2>&1 &
    app=$!
    sleep 4
    # The welcome window's enter button, at the automatic scale of this screen.
    xdotool mousemove 1215 708 click 1
    sleep 3
    t0=$(ticks "$app") w0=$(wakeups "$app") s0=$(date +%s.%N)
    # shellcheck disable=SC2086
    xdotool mousemove 400 300 mousedown 1 $moves mouseup 1
    t1=$(ticks "$app") w1=$(wakeups "$app") s1=$(date +%s.%N)
    ticksPerSecond=$(getconf CLK_TCK)
    awk -v t="$((t1 - t0))" -v w="$((w1 - w0))" -v s0="$s0" -v s1="$s1" -v hz="$ticksPerSecond" \
        'BEGIN {s = s1 - s0; printf "drag %d: %.1f ms of CPU a second, %.0f wake-ups a second, over %.1f s\n", '"$run"', t * 1000 / hz / s, w / s, s}'
    kill "$app"
    wait "$app" 2>/dev/null || true
    app=
done
