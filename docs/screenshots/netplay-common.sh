# shellcheck shell=bash
# What the network screenshot scripts share; sourced by them. Run from the
# build directory; needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
# shellcheck disable=SC2034  # the scripts write their pictures there
out=../docs/screenshots
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=dummy

# Starts `count` virtual X servers (WIDTHxHEIGHT, default 640x480) on the
# first free run of displays; the first is :$n.
start_displays() {  # count [size]
    local count=$1 size=${2:-640x480} free
    n=90
    while :; do
        free=1
        for d in $(seq 0 $((count - 1))); do [ -e "/tmp/.X$((n + d))-lock" ] && free=0; done
        [ "$free" = 1 ] && break
        n=$((n + count))
    done
    for d in $(seq 0 $((count - 1))); do Xvfb ":$((n + d))" -screen 0 "${size}x24" -nolisten tcp & pids+=($!); done
    sleep 1
}

# The UDP port a host printed to its log, once it has.
port_of() {  # log
    local port=
    for _ in $(seq 100); do
        port=$(sed -n 's/.*on UDP port \([0-9]*\);.*/\1/p' "$1")
        [ -n "$port" ] && { echo "$port"; return; }
        sleep 0.1
    done
    echo "no port in $1" >&2
    exit 1
}

# The join code a host printed to its log.
code_of() {  # log
    sed -n 's/.*join code \([^:]*\):.*/\1/p' "$1"
}

# The X window of a process, once it has one.
window_of() {  # display pid
    for _ in $(seq 200); do
        w=$(DISPLAY="$1" xdotool search --pid "$2" 2>/dev/null | head -1 || true)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.05
    done
    echo "no window on $1" >&2
    exit 1
}

# Player one weaving up and down and firing in bursts, up to `last` frames.
weaving_input() {  # file last
    {
        echo "velmora-input 1"
        for f in $(seq 20 10 "$2"); do echo "$f mouse move $((f % 40 - 20)) $(((f / 10) % 12 < 6 ? 12 : -12))"; done
        for f in $(seq 30 40 "$2"); do echo "$f key down 0x20"; echo "$((f + 30)) key up 0x20"; done
    } >"$1"
}

# A catch-up shows its progress a few times a second: the screen of
# `display` is read all along from start_catch_up_pictures, and
# keep_catch_up_picture keeps a picture from the middle of those showing the
# bar.
start_catch_up_pictures() {  # display
    (for i in $(seq 600); do DISPLAY="$1" xwd -root -silent >"$work/catch-$i.xwd" 2>/dev/null || true; sleep 0.02; done) &
    shooter=$!
    pids+=("$shooter")
}
keep_catch_up_picture() {  # output
    kill "$shooter" 2>/dev/null || true
    local bars=() f
    for f in $(printf '%s\n' "$work"/catch-*.xwd | sort -V); do
        [ -s "$f" ] || continue
        # The bar's frame is white across the middle of the picture.
        if [ "$(convert "xwd:$f" -crop 200x1+220+249 -format '%[fx:minima.r]' info: 2>/dev/null)" = "1" ]; then
            bars+=("$f")
        fi
    done
    [ ${#bars[@]} -gt 0 ] && convert "xwd:${bars[$((${#bars[@]} / 2))]}" "$1"
    return 0
}
