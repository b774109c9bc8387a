#!/usr/bin/env bash
# The real program on a virtual X display, used as a person would: "--help" and "--version" answer
# without a window, one instance serves the user, a second start hands over and ends (a file named
# by a relative path is found where the second start was made), "-U" forgets the settings without
# showing anything (also in the running instance) and reports a removal that fails, a fallback
# runtime folder that is not the user's own is refused, and a newer build of the same release
# replaces the installed copy while another release does not.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/virtual_desktop.sh" instances

visible_window() { xdotool search --onlyvisible --name '^Sealvane$' 2> /dev/null | head -n 1; }
has_window() { [ -n "$(visible_window)" ]; }
# close_box CAPTION: waits up to 10 s for the program's message box with this caption and presses OK.
close_box() {
    local box=""
    for _ in $(seq 100); do
        box=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return
}
no_window() { [ -z "$(visible_window)" ]; }
alive() { kill -0 "$1" 2> /dev/null; }
# run_second ARGS...: a second start, which must end by itself with exit code 0 within 10 s.
run_second() {
    timeout 10 "$program" "$@" > "$work/second.log" 2>&1 || fail "second start '$*' did not end with 0: $(cat "$work/second.log")"
}

block=$(grep -aoE 'SEALVANE-VERSION-BLOCK:[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+' "$program" | head -n 1)
version=${block#SEALVANE-VERSION-BLOCK:}
IFS=. read -r major minor release build <<< "$version"

echo "-- --help and --version print to stdout and end, without a display and without the socket"
help=$(env -u DISPLAY timeout 5 "$program" --help 2> "$work/help.log") || fail "--help: $(cat "$work/help.log")"
grep -q -- '-U' <<< "$help" || fail "the usage does not name -U: $help"
shown=$(env -u DISPLAY timeout 5 "$program" --version 2> "$work/help.log") || fail "--version: $(cat "$work/help.log")"
grep -qF "$major.$minor.$release" <<< "$shown" && grep -qw "$build" <<< "$shown" || fail "--version shows '$shown'"
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || fail "--help or --version touched the runtime folder"

# A tray to hide in, as on a desktop.
trayer --SetDockType true --expand false > "$work/trayer.log" 2>&1 &
pids+=($!)
sleep 0.5

echo "-- an installed copy in tray mode starts hidden in the tray"
echo "ProgPath=$program" > "$SEALVANE_INSTALL_RECORD"
mkdir -p "$XDG_CONFIG_HOME/Sealvane"
printf '[Forms]\nfStart_TrayMode=1\n' > "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf"
mkdir -p "$work/first-folder" "$work/second-folder"
(cd "$work/first-folder" && exec "$program" > "$work/first.log" 2>&1) &
first=$!
pids+=($first)
wait_for 10 test -S "$XDG_RUNTIME_DIR/sealvane-instance" || fail "the first instance does not listen"
sleep 1
no_window || fail "the window shows although tray mode is on"

echo "-- a second start without parameters shows the first one's window and ends"
run_second
wait_for 5 has_window || fail "the first instance did not show its window"
alive "$first" || fail "the first instance ended"

echo "-- a second start with a file hands it over and ends"
touch "$work/mail.xvt"
run_second "$work/mail.xvt"
alive "$first" || fail "the first instance ended"
# The first instance asks for the container's password; the second start did not wait for that.
wait_for 10 bash -c "xdotool search --onlyvisible --name '^Password\$' > /dev/null" || fail "no password question for the handed-over file"
xdotool search --onlyvisible --name '^Password$' | head -n 1 | xargs -I{} xdotool windowfocus --sync {} key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Password\$' > /dev/null" || fail "the password question stays"
[ "$(xdotool search --name '^Sealvane$' | wc -l)" -ge 1 ] || fail "window lost"

echo "-- a relative file name is looked up in the second start's folder, and a missing one is reported"
# The name exists only in the first instance's folder: found there, it would be the wrong file.
touch "$work/first-folder/elsewhere.xvt"
(cd "$work/second-folder" && timeout 10 "$program" elsewhere.xvt > "$work/second.log" 2>&1) &
relative=$!
close_box Error || fail "the first instance did not report '$work/second-folder/elsewhere.xvt' missing"
wait "$relative" || fail "the second start with a relative name did not end with 0"

echo "-- -U forgets the settings, shows nothing, also while an instance runs"
[ -e "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf" ] || fail "no settings to forget"
windows_before=$(xdotool search --name '^Sealvane$' | wc -l)
run_second " -u "
[ ! -e "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf" ] || fail "the settings are still there"
[ "$(xdotool search --name '^Sealvane$' | wc -l)" -eq "$windows_before" ] || fail "-U showed a window"
alive "$first" || fail "the first instance ended"
run_second -UPDATE
wait_for 10 bash -c "! kill -0 $first 2> /dev/null" || fail "the first instance did not end"
[ ! -e "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf" ] || fail "the running instance wrote the forgotten settings back"

echo "-- a removal of the settings that fails is reported and ends with an error"
rm -rf "$XDG_CONFIG_HOME/Sealvane"
mkdir -p "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf/in-the-way"
timeout 10 "$program" -U > "$work/forget.log" 2>&1 &
forget=$!
close_box Error || fail "a failed removal of the settings was not reported"
if wait "$forget"; then fail "a failed removal of the settings ended with 0"; fi
rm -rf "$XDG_CONFIG_HOME/Sealvane"

if [ "$(id -u)" -eq 0 ]; then
    echo "-- a fallback runtime folder of another user, or a symbolic link, is refused; nothing is made there"
    fallback="$work/tmp/sealvane-0"
    for kind in owner link; do
        rm -rf "$work/tmp" && mkdir -p "$work/tmp/mine"
        chmod 700 "$work/tmp/mine"
        if [ $kind = owner ]; then
            mkdir -m 700 "$fallback" && chown 65534 "$fallback"
        else
            ln -s mine "$fallback"
        fi
        (unset XDG_RUNTIME_DIR && TMPDIR="$work/tmp" exec timeout 10 "$program" "$work/mail.xvt" > "$work/foreign.log" 2>&1) &
        foreign=$!
        close_box Error || fail "$kind: the start did not refuse the folder"
        if wait "$foreign"; then fail "$kind: the refused start ended with 0"; fi
        [ -z "$(ls -A "$fallback/")" ] || fail "$kind: something was made in the refused folder"
    done
fi

echo "-- a newer build of the installed release replaces the installed copy"
# A copy with the version block patched, same length: the build is the only digit changed.
patched_copy() { # patched_copy FILE NEW_VERSION
    [ ${#2} -eq ${#version} ] || fail "cannot patch $version to $2 in place"
    sed "s/SEALVANE-VERSION-BLOCK:$version/SEALVANE-VERSION-BLOCK:$2/" "$program" > "$1"
    chmod +x "$1"
}
lower_build=$(( build > 0 ? build - 1 : 0 ))
[ ${#lower_build} -eq ${#build} ] || lower_build=$build
mkdir -p "$work/installed" "$work/download"
patched_copy "$work/installed/sealvane" "$major.$minor.$release.$lower_build"
higher_build=$(( lower_build + 1 ))
[ ${#higher_build} -eq ${#build} ] || fail "build number $build cannot be raised in place"
patched_copy "$work/download/sealvane" "$major.$minor.$release.$higher_build"
echo "ProgPath=$work/installed/sealvane" > "$SEALVANE_INSTALL_RECORD"
# The installed copy runs, with no container open: asked to make way, it ends.
"$work/installed/sealvane" > "$work/installed.log" 2>&1 &
installed=$!
pids+=($installed)
wait_for 10 has_window || fail "the installed copy did not start"
"$work/download/sealvane" > "$work/update.log" 2>&1 &
updater=$!
pids+=($updater)
wait_for 10 bash -c "! kill -0 $installed 2> /dev/null" || fail "the installed copy did not make way"
wait_for 10 has_window || fail "the newer copy did not start"
cmp -s "$work/installed/sealvane" "$work/download/sealvane" || fail "the installed copy was not replaced"
kill "$updater"
wait "$updater" 2> /dev/null || true
wait_for 5 no_window || true

echo "-- a copy of another release leaves the installed copy alone"
other_release=$(( release + 1 ))
[ ${#other_release} -eq ${#release} ] || fail "release $release cannot be raised in place"
patched_copy "$work/installed/sealvane" "$major.$minor.$release.$lower_build"
patched_copy "$work/download/sealvane" "$major.$minor.$other_release.$build"
before=$(sha256sum < "$work/installed/sealvane")
"$work/download/sealvane" > "$work/other.log" 2>&1 &
other=$!
pids+=($other)
wait_for 10 has_window || fail "the other release did not start"
[ "$(sha256sum < "$work/installed/sealvane")" = "$before" ] || fail "another release replaced the installed copy"
echo "all checks passed"
