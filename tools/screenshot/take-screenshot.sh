#!/bin/sh
# The README's screenshot: the real program, just started against the simulated headset
# and a private sound server, photographed in its own window. Run it on an X server of
# the window's size (xvfb-run).
#
#   take-screenshot.sh <program> <folder of the simulated libMyHidApi.so> <picture.png>
set -eu
program=$1
simulated=$2
picture=$3

# A home of its own, so the headset's user file is made afresh from the default file.
home=$(mktemp -d)
sound_server=$(cd "$(dirname "$0")/../../tests/sysaudio" && pwd)/pulse-server.sh
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  sh "$sound_server" stop "$home/pulse" || true
  rm -rf "$home"
}
trap cleanup EXIT
mkdir -m 700 "$home/run"

# A sound server with one output, as a desktop has, so the volume shows what it is.
sh "$sound_server" desktop "$home/pulse" || { echo "take-screenshot: no sound server" >&2; exit 1; }
export PULSE_SERVER="unix:$home/pulse/desktop/native"

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
       XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run"
export LD_LIBRARY_PATH="$simulated" TW_SIM_HEADSETS=0411
unset QT_QPA_PLATFORM

cd "$home"
"$program" >"$home/program.log" 2>&1 &
program_pid=$!

# Start-up is over once the headset's first status answer has made its user file; the
# pause after it lets the window finish painting.
userfile="$home/Documents/tonewright/UserFile/VID-2e7a&PID-0411&UUID-0a0b0c0d.json"
tries=0
until [ -f "$userfile" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 300 ] || ! kill -0 "$program_pid" 2>/dev/null; then
    echo "take-screenshot: the program did not take up the simulated headset" >&2
    cat "$home/program.log" >&2
    exit 1
  fi
  sleep 0.1
done
sleep 2
import -window Tonewright "$picture"
echo "take-screenshot: wrote $picture"
