#!/usr/bin/env bash
# Runs under Xvfb as the user: starts Garabix with the menu entry's command,
# enters from the welcome window, draws a line and presses save until the
# drawing appears in the given folder (at most a minute).
# Usage: save-drawing.sh <command> <drawings folder> <screenshot>
set -u
"$1" &
program=$!
trap 'kill $program 2>/dev/null' EXIT
found=0
for _ in $(seq 120); do
    if ! kill -0 $program 2>/dev/null; then
        echo "save-drawing: the program ended" >&2
        exit 1
    fi
    if [ -s "$2/0.bmp" ]; then
        found=1
        break
    fi
    # The welcome window takes Return; the main window fills the 1280x800
    # screen with its canvas right of x = 121 and the save button at (60, 262).
    xdotool search --name '^Garabix 2' >/dev/null 2>&1 && xdotool key Return
    if xdotool search --name '^Garabix$' >/dev/null 2>&1; then
        xdotool mousemove 400 300 mousedown 1 mousemove 500 350 mousemove 600 300 mouseup 1
        xdotool mousemove 60 262 click 1
    fi
    sleep 0.5
done
import -window root "$3" 2>/dev/null || true
[ $found -eq 1 ]
