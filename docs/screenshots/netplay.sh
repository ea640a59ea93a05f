#!/bin/bash
# One network game seen on both machines: the host in a window on one virtual
# X server, the guest on another; player one follows a script of mouse moves
# and fire, player two is the autopilot's. Writes, in
# ../docs/screenshots/:
#   netplay-host-guest.png  the host's window (left) and the guest's (right)
#   netplay-waiting.png     the host's window while the guest is stopped
#   netplay-left.png        the host's window after the guest closed its own
# Run from the build directory; needs Xvfb, xdotool and ImageMagick.
# shellcheck source=docs/screenshots/netplay-common.sh
source "$(dirname "$0")/netplay-common.sh"
export XDG_CONFIG_HOME="$work/config"

start_displays 2 660x500
weaving_input "$work/host-input.txt" 3000

DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 --input "$work/host-input.txt" --god --seed 5 \
    --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=("$host")
port=$(port_of "$work/host.log")
DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 --join "127.0.0.1:$port" \
    --code "$(code_of "$work/host.log")" --autopilot=2 --frames 100000 >"$work/guest.log" 2>&1 & guest=$!; pids+=("$guest")
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
for _ in $(seq 100); do grep -q "the other player left the game" "$work/host.log" && break; sleep 0.1; done
sleep 1  # back on the title, the notice over it
DISPLAY=":$n" import -window "$hw" "$out/netplay-left.png"
cat "$work/host.log" "$work/guest.log"
