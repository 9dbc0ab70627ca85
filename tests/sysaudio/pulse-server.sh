#!/bin/sh
# Starts and stops the private sound servers of the volume tests:
#   pulse-server.sh start|stop <folder>
# and, for the README's screenshot, a server as a desktop has it, "desktop", with one
# output described as speakers:
#   pulse-server.sh desktop <folder>   (stopped by "stop" as well)
# and two servers with one null output and no capture device at all, as a machine
# without a microphone has them: PulseAudio ("bare") and PipeWire with its PulseAudio
# server and session manager ("pipewire", its socket at pipewire/runtime/pulse/native):
#   pulse-server.sh bare <folder>      (stopped by "stop" as well)
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
    stop_process "$1/pid"
}

stop_process() {
    pidfile=$1
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    rm -f "$pidfile"
    # A test may have left it stopped; it must be running to handle the TERM.
    kill -CONT "$pid" 2>/dev/null || true
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        running "$pid" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

# Whether a process still runs: one that has ended but is not yet reaped (its parent,
# the shell that started it, is gone) counts as ended.
running() {
    [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
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

# Waits for server <name> to answer on its socket (<folder>/<name>/native unless given).
wait_ready() {
    socket=${2:-$dir/$1/native}
    for _ in $(seq 1 100); do
        if timeout 2 pactl -s "unix:$socket" info >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "sound server '$1' did not start; its log:" >&2
    cat "$dir/$1/log" "$dir/$1/output" "$dir/$1"/*.log >&2 2>/dev/null || true
    return 1
}

# Runs one program of the PipeWire server in the background, in the environment of
# start_pipewire, its pid in <name>.pid.
start_pipewire_part() {
    name=$1
    shift
    env -i PATH="$PATH" HOME="$d/home" XDG_RUNTIME_DIR="$d/runtime" XDG_CONFIG_HOME="$d/home/.config" \
        XDG_STATE_HOME="$d/state" DBUS_SESSION_BUS_ADDRESS="unix:path=$d/runtime/bus" \
        setsid "$@" </dev/null >"$d/$name.log" 2>&1 &
    echo $! > "$d/$name.pid"
}

# PipeWire with its PulseAudio server, its session manager (which picks the default
# devices, as on a desktop) and a bus of its own for the session manager. The session
# manager is kept from the machine's own sound cards, cameras and bluetooth: only the
# devices made through pactl exist.
start_pipewire() {
    d=$dir/pipewire
    config=$d/home/.config/wireplumber
    mkdir -p "$config/main.lua.d" "$config/bluetooth.lua.d" "$d/runtime" "$d/state"
    chmod 700 "$d/runtime"
    cat > "$config/main.lua.d/60-no-hardware.lua" <<'LUA'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
LUA
    echo 'bluez_monitor.enabled = false' > "$config/bluetooth.lua.d/60-no-hardware.lua"
    write_pulse_config "$d/pulse.conf"
    start_pipewire_part bus dbus-daemon --session --nofork --nopidfile --address="unix:path=$d/runtime/bus"
    start_pipewire_part pipewire pipewire
    for _ in $(seq 1 50); do
        [ -S "$d/runtime/bus" ] && [ -S "$d/runtime/pipewire-0" ] && break
        sleep 0.1
    done
    start_pipewire_part wireplumber wireplumber
    start_pipewire_part pulse pipewire -c "$d/pulse.conf"
}

# PipeWire's PulseAudio server as the pipewire-pulse program runs it, from the daemon
# and its modules alone: the pipewire-pulse package would also enable its server for
# every user's log-on, taking the place of a desktop's own PulseAudio.
write_pulse_config() {
    cat > "$1" <<'CONF'
context.spa-libs = {
    audio.convert.* = audioconvert/libspa-audioconvert
    support.*       = support/libspa-support
}
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-protocol-pulse }
]
pulse.cmd = [
    { cmd = "load-module" args = "module-always-sink" flags = [ ] }
]
pulse.properties = {
    server.address = [ "unix:native" ]
}
CONF
}

stop_pipewire() {
    for part in pulse wireplumber pipewire bus; do
        stop_process "$dir/pipewire/$part.pid"
    done
}

# Gives a server its one null output once it answers, and waits until the server has
# made that output's monitor its default capture device, as it does without a microphone.
add_only_output() {
    wait_ready "$1" "$2"
    pactl -s "unix:$2" load-module module-null-sink sink_name=tw_only_output >/dev/null
    for _ in $(seq 1 100); do
        if [ "$(pactl -s "unix:$2" get-default-source)" = tw_only_output.monitor ]; then
            return 0
        fi
        sleep 0.1
    done
    echo "sound server '$1' has no default capture device" >&2
    pactl -s "unix:$2" info >&2 || true
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
bare)
    stop_server "$dir/bare"
    stop_pipewire
    rm -rf "$dir"
    mkdir -p "$dir"
    start_server bare </dev/null
    start_pipewire
    add_only_output bare "$dir/bare/native"
    add_only_output pipewire "$dir/pipewire/runtime/pulse/native"
    ;;
stop)
    stop_server "$dir/main"
    stop_server "$dir/empty"
    stop_server "$dir/desktop"
    stop_server "$dir/bare"
    stop_pipewire
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop|desktop|bare <folder>" >&2
    exit 2
    ;;
esac
