#!/bin/bash
# A guest whose game was killed comes back: the host in a window on one
# virtual X server waits for it, the guest started again on another catches
# up (its progress bar) and plays on. Writes, in ../docs/screenshots/:
#   netplay-return-waiting.png      the host's window while the guest is gone
#   netplay-return-catching-up.png  the guest's window catching up
#   netplay-return-back.png         the host's window (left) and the guest's (right) after
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
export SDL_AUDIODRIVER=dummy

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X$((n + 1))-lock" ]; do n=$((n + 2)); done
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp & pids+=($!)
Xvfb ":$((n + 1))" -screen 0 640x480x24 -nolisten tcp & pids+=($!)
sleep 1

{
    echo "velmora-input 1"
    for f in $(seq 20 10 30000); do echo "$f mouse move $((f % 40 - 20)) $(((f / 10) % 12 < 6 ? 12 : -12))"; done
    for f in $(seq 30 40 30000); do echo "$f key down 0x20"; echo "$((f + 30)) key up 0x20"; done
} >"$work/host-input.txt"

XDG_CONFIG_HOME="$work/host-config" DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 \
    --input "$work/host-input.txt" --god --seed 5 --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=($host)
port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*on UDP port \([0-9]*\);.*/\1/p' "$work/host.log")
    [ -n "$port" ] && break
    sleep 0.1
done
code=$(sed -n 's/.*join code \([^:]*\):.*/\1/p' "$work/host.log")
guest() {
    XDG_CONFIG_HOME="$work/guest-config" DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 \
        --join "127.0.0.1:$port" --code "$code" --autopilot=2 --frames 100000 >>"$work/guest.log" 2>&1 &
    guest=$!
    pids+=($guest)
}
window_of() {  # display pid
    for _ in $(seq 200); do
        w=$(DISPLAY="$1" xdotool search --pid "$2" 2>/dev/null | head -1 || true)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.05
    done
    echo "no window on $1" >&2
    exit 1
}
guest
hw=$(window_of ":$n" "$host")
sleep "${PLAY_SECONDS:-60}"
kill -KILL "$guest"
for _ in $(seq 200); do grep -q "waiting for it to come back" "$work/host.log" && break; sleep 0.1; done
sleep 2
DISPLAY=":$n" import -window "$hw" "$out/netplay-return-waiting.png"

# The catch-up shows its progress a few times a second: the screen is read
# all along, and a picture from the middle of those with the bar kept.
(for i in $(seq 600); do DISPLAY=":$((n + 1))" xwd -root -silent >"$work/catch-$i.xwd" 2>/dev/null || true; sleep 0.02; done) &
shooter=$!; pids+=($shooter)
guest
gw=$(window_of ":$((n + 1))" "$guest")
for _ in $(seq 300); do grep -q "caught up with the game" "$work/guest.log" && break; sleep 0.05; done
kill "$shooter" 2>/dev/null || true
bars=()
for f in $(ls -v "$work"/catch-*.xwd); do
    [ -s "$f" ] || continue
    if [ "$(convert "xwd:$f" -crop 200x1+220+249 -format '%[fx:minima.r]' info: 2>/dev/null)" = "1" ]; then
        bars+=("$f")
    fi
done
[ ${#bars[@]} -gt 0 ] && convert "xwd:${bars[$((${#bars[@]} / 2))]}" "$out/netplay-return-catching-up.png"
sleep 4
DISPLAY=":$n" import -window "$hw" "$work/host.png"
DISPLAY=":$((n + 1))" import -window "$gw" "$work/guest.png"
convert "$work/host.png" "$work/guest.png" +append "$out/netplay-return-back.png"
cat "$work/host.log" "$work/guest.log"
