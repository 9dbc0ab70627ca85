#!/bin/sh
# Runs one test program against an X server of its own (tw_add_test's XVFB tests):
#   xvfb-test.sh <record file> <screen WxHxD> <program> [arguments...]
# The server picks a free display itself (-displayfd) and holds it by its socket, so
# tests side by side never race for a number. A test killed at its time limit goes
# with its whole process tree, this script and the server included, and nothing
# cleans up then: the record file names the display the server had, and the next run
# of the same test removes the socket it left, unless a live server listens there.
set -u
record=$1
screen=$2
shift 2

if [ -f "$record" ]; then
    read -r display server < "$record" || true
    if [ -n "${server:-}" ] && grep -qs Xvfb "/proc/$server/cmdline"; then
        kill "$server" # an earlier run's server still running: it removes its socket as it ends
    elif [ -n "${display:-}" ] && ! grep -qs " /tmp/.X11-unix/X$display\$" /proc/net/unix; then
        rm -f "/tmp/.X11-unix/X$display"
    fi
    rm -f "$record"
fi

server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -f "$record" "$record.display"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

: > "$record.display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3> "$record.display" 2> "$record.log" &
server=$!
# The server writes its display number once clients can connect.
display=
while [ -z "$display" ]; do
    if ! kill -0 "$server" 2>/dev/null; then
        server=
        echo "xvfb-test.sh: Xvfb did not start:" >&2
        cat "$record.log" >&2
        exit 1
    fi
    sleep 0.05
    display=$(cat "$record.display")
done
echo "$display $server" > "$record"

DISPLAY=":$display" "$@"
