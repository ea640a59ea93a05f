#!/bin/bash
# A guest whose game was killed comes back: the host in a window on one
# virtual X server waits for it, the guest started again on another catches
# up (its progress bar) and plays on. Writes, in ../docs/screenshots/:
#   netplay-return-waiting.png      the host's window while the guest is gone
#   netplay-return-catching-up.png  the guest's window catching up
#   netplay-return-back.png         the host's window (left) and the guest's (right) after
# Run from the build directory; needs Xvfb, xdotool and ImageMagick.
# shellcheck source=docs/screenshots/netplay-common.sh
source "$(dirname "$0")/netplay-common.sh"

start_displays 2
weaving_input "$work/host-input.txt" 30000

XDG_CONFIG_HOME="$work/host-config" DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 \
    --input "$work/host-input.txt" --god --seed 5 --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=("$host")
port=$(port_of "$work/host.log")
code=$(code_of "$work/host.log")
guest() {
    XDG_CONFIG_HOME="$work/guest-config" DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 \
        --join "127.0.0.1:$port" --code "$code" --autopilot=2 --frames 100000 >>"$work/guest.log" 2>&1 &
    guest=$!
    pids+=("$guest")
}
guest
hw=$(window_of ":$n" "$host")
sleep "${PLAY_SECONDS:-60}"
kill -KILL "$guest"
for _ in $(seq 200); do grep -q "waiting for it to come back" "$work/host.log" && break; sleep 0.1; done
sleep 2
DISPLAY=":$n" import -window "$hw" "$out/netplay-return-waiting.png"

start_catch_up_pictures ":$((n + 1))"
guest
gw=$(window_of ":$((n + 1))" "$guest")
for _ in $(seq 300); do grep -q "caught up with the game" "$work/guest.log" && break; sleep 0.05; done
keep_catch_up_picture "$out/netplay-return-catching-up.png"
sleep 4
DISPLAY=":$n" import -window "$hw" "$work/host.png"
DISPLAY=":$((n + 1))" import -window "$gw" "$work/guest.png"
convert "$work/host.png" "$work/guest.png" +append "$out/netplay-return-back.png"
cat "$work/host.log" "$work/guest.log"
