#!/usr/bin/env bash
# Screenshots of the options dialog on a virtual display, for a person to look at: each page and
# the dialog of a copy that is not installed, in each of the four languages.
#   options_window_shots.sh PATH/TO/options-window-show OUTPUT_FOLDER
set -euo pipefail
show=$1
out=$2
mkdir -p "$out"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for language in 0 1 2 3; do
    for page in 0 1 2 3 4 uninstalled; do
        "$show" "$language" "$page" 3 2>/dev/null &
        window=$!
        sleep 2
        import -window root -crop 760x700+0+0 "$out/options-$language-$page.png"
        wait "$window"
    done
done
echo "screenshots in $out"
