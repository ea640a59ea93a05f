#!/bin/bash
# A spectator joins a network game a minute in: the host and the guest each
# in a window on a virtual X server of their own, the spectator on a third.
# Writes, in ../docs/screenshots/:
#   netplay-watch-catching-up.png  the spectator's window catching up
#   netplay-watch-live.png         host (left), guest (middle) and spectator (right), live
# Run from the build directory; needs Xvfb, xdotool and ImageMagick.
# shellcheck source=docs/screenshots/netplay-common.sh
source "$(dirname "$0")/netplay-common.sh"
export XDG_CONFIG_HOME="$work/config"

start_displays 3

DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 --code WATCH-ME --autopilot=1 --god --seed 5 \
    --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=("$host")
port=$(port_of "$work/host.log")
DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 --join "127.0.0.1:$port" --code WATCH-ME \
    --autopilot=2 --frames 100000 >"$work/guest.log" 2>&1 & guest=$!; pids+=("$guest")
sleep "${PLAY_SECONDS:-60}"

start_catch_up_pictures ":$((n + 2))"
DISPLAY=":$((n + 2))" ./velmora --data data --windowed --scale 1 --watch "127.0.0.1:$port" --code WATCH-ME \
    --frames 100000 >"$work/spectator.log" 2>&1 & spectator=$!; pids+=("$spectator")
for _ in $(seq 300); do grep -q "watching live" "$work/spectator.log" && break; sleep 0.05; done
keep_catch_up_picture "$out/netplay-watch-catching-up.png"
sleep 5
for d in 0 1 2; do DISPLAY=":$((n + d))" import -window root "$work/live-$d.png"; done
convert "$work/live-0.png" "$work/live-1.png" "$work/live-2.png" +append "$out/netplay-watch-live.png"
cat "$work/host.log" "$work/guest.log" "$work/spectator.log"
