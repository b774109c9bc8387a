#!/usr/bin/env bash
# Screenshots of the container window on a virtual display, for a person to look at: compose,
# reply and read-only mode, large symbols and details, in each of the four languages.
#   container_window_shots.sh PATH/TO/container-window-show OUTPUT_FOLDER
set -euo pipefail
show=$1
out=$2
mkdir -p "$out"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for language in 0 1 2 3; do
    for mode in compose reply readonly; do
        for view in 0 1; do
            "$show" "$language" "$mode" "$view" 3 2>/dev/null &
            window=$!
            sleep 2
            import -window root -crop 620x520+0+0 "$out/container-$language-$mode-$view.png"
            wait "$window"
        done
    done
done
echo "screenshots in $out"
