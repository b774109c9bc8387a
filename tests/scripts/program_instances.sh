#!/usr/bin/env bash
# The real program on a virtual X display, used as a person would: one instance serves the user, a
# second start hands over and ends, "-U" forgets the settings without showing anything, and a
# newer build of the same release replaces the installed copy while another release does not.
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-instances-XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# A display of our own.
exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export SEALVANE_INSTALL_RECORD="$work/install.conf"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

visible_window() { xdotool search --onlyvisible --name '^Sealvane$' 2> /dev/null | head -n 1; }
wait_for() { # wait_for SECONDS COMMAND...: until the command succeeds
    local limit=$1
    shift
    for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}
has_window() { [ -n "$(visible_window)" ]; }
no_window() { [ -z "$(visible_window)" ]; }
alive() { kill -0 "$1" 2> /dev/null; }
# run_second ARGS...: a second start, which must end by itself with exit code 0 within 10 s.
run_second() {
    timeout 10 "$program" "$@" > "$work/second.log" 2>&1 || fail "second start '$*' did not end with 0: $(cat "$work/second.log")"
}

# A tray to hide in, as on a desktop.
trayer --SetDockType true --expand false > "$work/trayer.log" 2>&1 &
pids+=($!)
sleep 0.5

echo "-- an installed copy in tray mode starts hidden in the tray"
echo "ProgPath=$program" > "$SEALVANE_INSTALL_RECORD"
mkdir -p "$XDG_CONFIG_HOME/Sealvane"
printf '[Forms]\nfStart_TrayMode=1\n' > "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf"
"$program" > "$work/first.log" 2>&1 &
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
[ "$(xdotool search --name '^Sealvane$' | wc -l)" -ge 1 ] || fail "window lost"

echo "-- -U forgets the settings, shows nothing, also while an instance runs"
[ -e "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf" ] || fail "no settings to forget"
windows_before=$(xdotool search --name '^Sealvane$' | wc -l)
run_second " -u "
[ ! -e "$XDG_CONFIG_HOME/Sealvane/Sealvane.conf" ] || fail "the settings are still there"
[ "$(xdotool search --name '^Sealvane$' | wc -l)" -eq "$windows_before" ] || fail "-U showed a window"
alive "$first" || fail "the first instance ended"
kill "$first"
wait "$first" 2> /dev/null || true

echo "-- a newer build of the installed release replaces the installed copy"
block=$(grep -aoE 'SEALVANE-VERSION-BLOCK:[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+' "$program" | head -n 1)
version=${block#SEALVANE-VERSION-BLOCK:}
IFS=. read -r major minor release build <<< "$version"
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
