#!/usr/bin/env bash
# Screenshots of a window on a virtual display, for a person to look at, in each of the four
# languages:
#   window_shots.sh container PATH/TO/container-window-show OUTPUT_FOLDER
#       compose, reply and read-only mode, each with large symbols and with details
#   window_shots.sh options PATH/TO/options-window-show OUTPUT_FOLDER
#       each page, and the dialog of a copy that is not installed
set -euo pipefail
kind=$1
show=$2
out=$3
case $kind in
container)
    crop=620x520+0+0
    cases=("compose 0" "compose 1" "reply 0" "reply 1" "readonly 0" "readonly 1")
    ;;
options)
    crop=760x700+0+0
    cases=(0 1 2 3 4 uninstalled)
    ;;
*)
    echo "usage: $0 container|options SHOW_PROGRAM OUTPUT_FOLDER" >&2
    exit 2
    ;;
esac
mkdir -p "$out"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for language in 0 1 2 3; do
    for shown in "${cases[@]}"; do
        # shellcheck disable=SC2086 # a case is the program's arguments, split at the blank
        "$show" "$language" $shown 3 2>/dev/null &
        window=$!
        sleep 2
        import -window root -crop "$crop" "$out/$kind-$language-${shown// /-}.png"
        wait "$window"
    done
done
echo "screenshots in $out"
