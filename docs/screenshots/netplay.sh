#!/bin/bash
# One network game seen on both machines: the host in a window on one virtual
# X server, the guest on another; player one follows a script of mouse moves
# and fire, player two is the autopilot's. Writes, in
# ../docs/screenshots/:
#   netplay-host-guest.png  the host's window (left) and the guest's (right)
#   netplay-waiting.png     the host's window while the guest is stopped
#   netplay-left.png        the host's window after the guest closed its own
# Run from the build directory; needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
out=../docs/screenshots
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy

# Displays :N and :N+1 from the first free pair.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X$((n + 1))-lock" ]; do n=$((n + 2)); done
Xvfb ":$n" -screen 0 660x500x24 -nolisten tcp & pids+=($!)
Xvfb ":$((n + 1))" -screen 0 660x500x24 -nolisten tcp & pids+=($!)
sleep 1

# Player one weaves up and down and fires in bursts.
{
    echo "velmora-input 1"
    for f in $(seq 20 10 3000); do echo "$f mouse move $((f % 40 - 20)) $(((f / 10) % 12 < 6 ? 12 : -12))"; done
    for f in $(seq 30 40 3000); do echo "$f key down 0x20"; echo "$((f + 30)) key up 0x20"; done
} >"$work/host-input.txt"

DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 --input "$work/host-input.txt" --god --seed 5 \
    --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=($host)
port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*on UDP port \([0-9]*\);.*/\1/p' "$work/host.log")
    [ -n "$port" ] && break
    sleep 0.1
done
DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 --join "127.0.0.1:$port" --autopilot=2 \
    --frames 100000 >"$work/guest.log" 2>&1 & guest=$!; pids+=($guest)

window_of() {  # display pid
    for _ in $(seq 100); do
        w=$(DISPLAY="$1" xdotool search --pid "$2" 2>/dev/null | head -1 || true)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
    echo "no window on $1" >&2
    exit 1
}
hw=$(window_of ":$n" "$host")
gw=$(window_of ":$((n + 1))" "$guest")

sleep 30  # well into the first world
kill -STOP "$guest"  # both windows stand still (the host waits for the guest)
sleep 0.2
DISPLAY=":$n" import -window "$hw" "$work/host.png"
DISPLAY=":$((n + 1))" import -window "$gw" "$work/guest.png"
convert "$work/host.png" "$work/guest.png" +append "$out/netplay-host-guest.png"
sleep 1
DISPLAY=":$n" import -window "$hw" "$out/netplay-waiting.png"
kill -CONT "$guest"
sleep 2
kill -TERM "$guest"  # as closing its window does
sleep 1.5
DISPLAY=":$n" import -window "$hw" "$out/netplay-left.png"
cat "$work/host.log" "$work/guest.log"
