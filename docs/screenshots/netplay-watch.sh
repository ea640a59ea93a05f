#!/bin/bash
# A spectator joins a network game a minute in: the host and the guest each
# in a window on a virtual X server of their own, the spectator on a third.
# Writes, in ../docs/screenshots/:
#   netplay-watch-catching-up.png  the spectator's window catching up
#   netplay-watch-live.png         host (left), guest (middle) and spectator (right), live
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
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config"

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X$((n + 1))-lock" ] || [ -e "/tmp/.X$((n + 2))-lock" ]; do n=$((n + 3)); done
for d in 0 1 2; do Xvfb ":$((n + d))" -screen 0 640x480x24 -nolisten tcp & pids+=($!); done
sleep 1

DISPLAY=":$n" ./velmora --data data --windowed --scale 1 --host 0 --code WATCH-ME --autopilot=1 --god --seed 5 \
    --frames 100000 >"$work/host.log" 2>&1 & host=$!; pids+=($host)
port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*on UDP port \([0-9]*\);.*/\1/p' "$work/host.log")
    [ -n "$port" ] && break
    sleep 0.1
done
DISPLAY=":$((n + 1))" ./velmora --data data --windowed --scale 1 --join "127.0.0.1:$port" --code WATCH-ME \
    --autopilot=2 --frames 100000 >"$work/guest.log" 2>&1 & guest=$!; pids+=($guest)
sleep "${PLAY_SECONDS:-60}"

# The catch-up shows its progress a few times a second: the screen is read
# all along, and a picture from the middle of those with the bar kept.
(for i in $(seq 600); do DISPLAY=":$((n + 2))" xwd -root -silent >"$work/catch-$i.xwd" 2>/dev/null || true; sleep 0.02; done) &
shooter=$!; pids+=($shooter)
DISPLAY=":$((n + 2))" ./velmora --data data --windowed --scale 1 --watch "127.0.0.1:$port" --code WATCH-ME \
    --frames 100000 >"$work/spectator.log" 2>&1 & spectator=$!; pids+=($spectator)
for _ in $(seq 300); do grep -q "watching live" "$work/spectator.log" && break; sleep 0.05; done
kill "$shooter" 2>/dev/null || true
bars=()
for f in $(ls -v "$work"/catch-*.xwd); do
    [ -s "$f" ] || continue
    # The bar's frame is white across the middle of the picture.
    if [ "$(convert "xwd:$f" -crop 200x1+220+249 -format '%[fx:minima.r]' info: 2>/dev/null)" = "1" ]; then
        bars+=("$f")
    fi
done
[ ${#bars[@]} -gt 0 ] && convert "xwd:${bars[$((${#bars[@]} / 2))]}" "$out/netplay-watch-catching-up.png"
sleep 5
for d in 0 1 2; do DISPLAY=":$((n + d))" import -window root "$work/live-$d.png"; done
convert "$work/live-0.png" "$work/live-1.png" "$work/live-2.png" +append "$out/netplay-watch-live.png"
cat "$work/host.log" "$work/guest.log" "$work/spectator.log"
