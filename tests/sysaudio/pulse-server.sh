#!/bin/sh
# Starts and stops the private sound servers of the volume tests:
#   pulse-server.sh start|stop <folder>
# and, for the README's screenshot, a server as a desktop has it, "desktop", with one
# output described as speakers:
#   pulse-server.sh desktop <folder>   (stopped by "stop" as well)
# "main" has two null outputs (the default one described as speakers in Chinese) and
# two capture devices: the headset's (on the headset's USB vendor id, recording the
# headphones) and one described with the Chinese word for microphone; "empty" has no
# output at all, and one capture device, its default. Each server uses no user configuration, keeps its
# socket, state and log inside <folder>, and never exits on its own. Works as root
# with no user session.
set -eu

action=$1
dir=$2

stop_server() {
    pidfile=$1/pid
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    rm -f "$pidfile"
    # A test may have left it stopped; it must be running to handle the TERM.
    kill -CONT "$pid" 2>/dev/null || true
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

start_server() {
    d=$dir/$1
    mkdir -p "$d/home" "$d/runtime" "$d/state"
    chmod 700 "$d/runtime"
    {
        echo "load-module module-native-protocol-unix socket=$d/native auth-anonymous=1"
        cat
    } > "$d/server.pa"
    env -i PATH="$PATH" HOME="$d/home" XDG_RUNTIME_DIR="$d/runtime" XDG_CONFIG_HOME="$d/home/.config" \
        PULSE_RUNTIME_PATH="$d/runtime" PULSE_STATE_PATH="$d/state" \
        setsid pulseaudio -n -F "$d/server.pa" --daemonize=no --system=false --use-pid-file=no \
        --exit-idle-time=-1 --disallow-exit --disable-shm=yes --realtime=false --high-priority=false \
        --log-target=file:"$d/log" </dev/null >"$d/output" 2>&1 &
    echo $! > "$d/pid"
}

wait_ready() {
    for _ in $(seq 1 100); do
        if timeout 2 pactl -s "unix:$dir/$1/native" info >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "sound server '$1' did not start; its log:" >&2
    cat "$dir/$1/log" "$dir/$1/output" >&2 2>/dev/null || true
    return 1
}

case $action in
start)
    stop_server "$dir/main"
    stop_server "$dir/empty"
    rm -rf "$dir"
    mkdir -p "$dir"
    start_server main <<'PA'
load-module module-null-sink sink_name=tw_speakers sink_properties='device.description="扬声器 Speakers"'
load-module module-null-sink sink_name=tw_headphones sink_properties=device.description=Headphones
set-default-sink tw_speakers
load-module module-remap-source source_name=tw_headset_mic master=tw_headphones.monitor source_properties='device.description=Headset device.vendor.id=2e7a'
load-module module-null-source source_name=tw_usb_mic description="麦克风 (USB)"
PA
    start_server empty <<'PA'
load-module module-null-source source_name=tw_lone_mic description=Lone
PA
    wait_ready main
    wait_ready empty
    ;;
desktop)
    stop_server "$dir/desktop"
    rm -rf "$dir"
    mkdir -p "$dir"
    start_server desktop <<'PA'
load-module module-null-sink sink_name=speakers sink_properties=device.description=Speakers
PA
    wait_ready desktop
    ;;
stop)
    stop_server "$dir/main"
    stop_server "$dir/empty"
    stop_server "$dir/desktop"
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop|desktop <folder>" >&2
    exit 2
    ;;
esac
