#!/bin/sh
# The ship and its drones firing each weapon at its top level: the first
# world with a dozen power-ups of one kind placed ahead of the ship, played by
# the autopilot (which collects them) in god mode. Run from the build
# directory; writes ../docs/screenshots/weapon-<kind>.png.
set -eu
frame=240
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for kind in blue missile heatseeker photon star; do
    rm -rf "$work/data"
    cp -r data "$work/data"
    level="$work/data/Levels/Space/Levels/NORMAL.LVL"
    {
        # The world's scenery and everything after the first stretch stay.
        awk '$3 != 0 || $1 >= 900' data/Levels/Space/Levels/NORMAL.LVL
        echo "110 140 0 entranceportal"
        for i in 0 1 2 3 4 5 6 7 8 9 10 11; do
            echo "$((380 + 45 * i)) $((60 + (i * 83) % 300)) 0 ${kind}powerup"
        done
    } > "$level.new"
    mv "$level.new" "$level"
    XDG_CONFIG_HOME="$work/config" ./velmora --headless --data "$work/data" --autopilot --god --seed 1 \
        --start-level 1 --frames "$frame" --screenshot "$frame:../docs/screenshots/weapon-$kind.png"
done
