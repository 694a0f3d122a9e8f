#!/usr/bin/env bash
# A PulseAudio server of the test run's own, with one null sink and nothing
# else, so that no test plays on the machine's real output. The sink never
# rewinds: a sound started while the sink has mixed ahead would otherwise
# replace what its monitor has already recorded, and a recording would lose
# the start of the sound a person hears. A second sink is the sound test's
# alone: the test plays its window's cues there (PULSE_SINK) and records its
# monitor, so that no cue of a test or program running beside it lands in
# the recording and hides the start of a click's cue.
#   sound-server.sh start DIR   starts it in DIR, prints its PULSE_SERVER address
#   sound-server.sh stop DIR    stops the one started in DIR, by its PID
set -euo pipefail
command=$1
dir=$(realpath -m "$2")

case "$command" in
start)
    mkdir -p "$dir/home" "$dir/runtime"
    chmod 700 "$dir/runtime"
    cat > "$dir/default.pa" <<PA
load-module module-null-sink sink_name=garabix_null rate=44100 channels=1 norewinds=1
load-module module-null-sink sink_name=garabix_sound_test rate=44100 channels=1 norewinds=1
load-module module-native-protocol-unix socket=$dir/native auth-anonymous=1
set-default-sink garabix_null
set-default-source garabix_null.monitor
PA
    HOME="$dir/home" XDG_CONFIG_HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" \
        PULSE_RUNTIME_PATH="$dir/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target="file:$dir/pulse.log" -F "$dir/default.pa" >"$dir/out.log" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
        if PULSE_SERVER="unix:$dir/native" pactl info >/dev/null 2>&1; then
            echo "unix:$dir/native"
            exit 0
        fi
        kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "the test sound server did not start; see $dir/pulse.log" >&2
    cat "$dir/out.log" "$dir/pulse.log" >&2 || true
    exit 1
    ;;
stop)
    if [ -f "$dir/pid" ]; then
        kill "$(cat "$dir/pid")" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
    ;;
esac
