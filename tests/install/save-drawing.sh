#!/usr/bin/env bash
# Runs under Xvfb as the user: starts Garabix with the menu entry's command,
# enters from the welcome window, draws a line and presses save until the
# drawing appears in the given folder (at most a minute). Given a folder of
# printed pages, it then presses print until a page appears there.
# Usage: save-drawing.sh <command> <drawings folder> <screenshot> [<pages folder>]
set -u
# On a loaded machine the display may not take connections yet when
# xvfb-run starts this script: wait until it answers (ten seconds at most).
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
"$1" &
program=$!
trap 'kill $program 2>/dev/null' EXIT
pages=${4:-}
found=0
shown=0
for _ in $(seq 120); do
    if ! kill -0 $program 2>/dev/null; then
        echo "save-drawing: the program ended" >&2
        exit 1
    fi
    if [ -s "$2/0.bmp" ]; then
        [ -z "$pages" ] && { found=1; break; }
        # Printed: a page in the folder; else the print button at (20, 300).
        if ls "$pages"/*.pdf >/dev/null 2>&1; then
            found=1
            break
        fi
        xdotool mousemove 20 300 click 1
        sleep 2
        continue
    fi
    # The welcome window takes Return; the main window fills the 1280x800
    # screen with its canvas right of x = 121 and the save button at (60, 262).
    xdotool search --name '^Garabix 2' >/dev/null 2>&1 && xdotool key Return
    # The main window, once it has been up for a moment (it lays itself out).
    if xdotool search --name '^Garabix$' >/dev/null 2>&1 && [ $((++shown)) -gt 1 ]; then
        if [ -z "$pages" ]; then
            xdotool mousemove 400 300 mousedown 1 mousemove 500 350 mousemove 600 300 mouseup 1
        else
            # A frame around the canvas (121, 23 to 1279, 771): the rectangle
            # button at (100, 100), then a drag just inside the corners.
            xdotool mousemove 100 100 click 1
            xdotool mousemove 125 28 mousedown 1 mousemove 700 400 mousemove 1275 766 mouseup 1
        fi
        xdotool mousemove 60 262 click 1
    fi
    sleep 0.5
done
import -window root "$3" 2>/dev/null || true
[ $found -eq 1 ]
