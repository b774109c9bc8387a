#!/usr/bin/env bash
# The real program and another program on a virtual X display, driven with xdotool as a person
# would: two files dragged from the other program onto a container window become its attachments,
# an attachment dragged out onto the other program arrives there as a file with the original
# bytes, a drag dropped back onto its own window adds nothing, attachments copied with Ctrl+C are
# on the X clipboard as files (read with xclip), and files another process put on the clipboard
# are added with Ctrl+V.
set -euo pipefail
program=$(realpath "$1")
peer=$(realpath "$2")
source "$(dirname "$0")/virtual_desktop.sh" dnd
mkdir -p "$work/source" "$work/received"

window_named() { xdotool search --onlyvisible --name "$1" 2> /dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
# position WINDOW: "X Y" of its top-left corner.
position() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }
# drag FROM_X FROM_Y TO_X TO_Y: the left button pressed, moved in steps, released.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in $(seq 10); do
        xdotool mousemove $(($1 + ($3 - $1) * step / 10)) $(($2 + ($4 - $2) * step / 10))
        sleep 0.1
    done
    sleep 0.3
    xdotool mousemove $(($3 + 2)) $(($4 + 2))
    sleep 0.3
    xdotool mouseup 1
}
# copied_files: selects every attachment, copies them with Ctrl+C and lists the clipboard's files.
copied_files() {
    xdotool mousemove "$item_x" "$item_y" click 1
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    xclip -o -t text/uri-list -selection clipboard | python3 -c '
import sys, urllib.parse
for line in sys.stdin:
    if line.startswith("file://"):
        print(urllib.parse.unquote(line.strip()[len("file://"):]))'
}
# same_bytes FILE: the file has the bytes of the source file of its name.
same_bytes() { cmp -s "$1" "$work/source/$(basename "$1")"; }

printf 'alpha: plain text\n' > "$work/source/alpha.txt"
head -c 300000 /dev/urandom > "$work/source/beta data.bin"
printf 'gamma\n' > "$work/source/gamma.txt"

"$program" > "$work/program.log" 2>&1 &
pids+=($!)
wait_for 10 has_window '^Sealvane$' || fail "no start window: $(cat "$work/program.log")"
read -r x y < <(position "$(window_named '^Sealvane$')")
xdotool mousemove $((x + 40)) $((y + 30)) click 1
wait_for 10 has_window '\.xvt' || fail "the New button made no container window"
container=$(window_named '\.xvt')
read -r cx cy < <(position "$container")
# The attachment list's first item in large symbols, and a free place in the list.
item_x=$((cx + 64)) item_y=$((cy + 292))
list_x=$((cx + 400)) list_y=$((cy + 340))

echo "-- two files dragged from another program become attachments; the drag ends as a copy"
"$peer" offer "$work/source/alpha.txt" "$work/source/beta data.bin" > "$work/offer.log" 2>&1 &
pids+=($!)
wait_for 10 has_window '^Peer offer$' || fail "no offering window"
xdotool windowmove "$(window_named '^Peer offer$')" 800 100
sleep 0.5
drag 850 150 "$list_x" "$list_y"
wait_for 10 grep -q 'drag ended' "$work/offer.log" || fail "the drag did not end"
grep -q 'drag ended: 1$' "$work/offer.log" || fail "the drop was not a copy: $(cat "$work/offer.log")"
sleep 1
mapfile -t copied < <(copied_files)
[ "${#copied[@]}" -eq 2 ] || fail "the window holds ${#copied[@]} attachments, not 2: ${copied[*]}"
for file in "${copied[@]}"; do same_bytes "$file" || fail "$file differs from the dragged file"; done

echo "-- an attachment dragged out arrives as a file with its bytes"
"$peer" receive "$work/received" > "$work/receive.log" 2>&1 &
pids+=($!)
wait_for 10 has_window '^Peer receive$' || fail "no receiving window"
xdotool windowmove "$(window_named '^Peer receive$')" 800 450
sleep 0.5
xdotool mousemove "$item_x" "$item_y" click 1
sleep 0.3
drag "$item_x" "$item_y" 850 500
wait_for 10 grep -q received "$work/receive.log" || fail "nothing arrived: $(cat "$work/receive.log")"
arrived=$(sed -n 's/^received //p' "$work/receive.log")
same_bytes "$arrived" || fail "$arrived differs from the file dragged in"

echo "-- an attachment dropped back onto its own window adds nothing"
xdotool mousemove "$item_x" "$item_y" click 1
sleep 0.3
drag "$item_x" "$item_y" "$list_x" "$list_y"
sleep 1
mapfile -t copied < <(copied_files)
[ "${#copied[@]}" -eq 2 ] || fail "after the drop back the window holds ${#copied[@]} attachments"
xclip -o -t x-special/gnome-copied-files -selection clipboard | head -n 1 | grep -qx copy ||
    fail "the file managers' form does not say copy"

echo "-- files another process put on the clipboard are pasted as attachments"
printf 'file://%s\n' "$work/source/gamma.txt" | xclip -quiet -i -t text/uri-list -selection clipboard > /dev/null 2>&1 &
pids+=($!)
sleep 0.5
xdotool mousemove "$item_x" "$item_y" click 1
sleep 0.3
xdotool key ctrl+v
sleep 1
mapfile -t copied < <(copied_files)
[ "${#copied[@]}" -eq 3 ] || fail "after the paste the window holds ${#copied[@]} attachments"
printf '%s\n' "${copied[@]}" | grep -q '/gamma.txt$' || fail "gamma.txt was not pasted: ${copied[*]}"
for file in "${copied[@]}"; do same_bytes "$file" || fail "$file differs from its source"; done
echo "passed"
