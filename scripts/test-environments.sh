#!/usr/bin/env bash
# Runs the whole suite of a build folder once in each environment a user's machine may differ in:
# another language (German LANG; French LC_ALL over German LANG), time zones with summer time and
# with a 45-minute offset, an empty home folder, and twice in a row in the same folder; then the
# window and script tests in parallel and repeated. The fonts of a desktop installation are the
# one condition it cannot set: install them (fonts-dejavu fonts-liberation2 fonts-noto-core) and
# run it again. German and French need their locales generated (locale-gen) to count.
#   scripts/test-environments.sh [BUILD_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
home=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-empty-home-XXXXXX")
trap 'rm -rf "$home"' EXIT

failed=()
run() { # run NAME [VAR=VALUE...] -- CTEST_ARGS...
    local name=$1
    shift
    local vars=()
    while [ "$1" != "--" ]; do vars+=("$1"); shift; done
    shift
    echo "== $name"
    if ! env "${vars[@]}" ctest --test-dir "$build" --output-on-failure --timeout 600 "$@" > "$build/environment-$name.log" 2>&1; then
        failed+=("$name")
        grep -E '^\s*[0-9]+ - |tests failed' "$build/environment-$name.log"
    fi
    tail -n 1 "$build/environment-$name.log"
}

gui='^(window|e2e|dragdrop|mapping|meter)\.|VirtualDisplay|web_page'
run german LANG=de_DE.UTF-8 -- --parallel 2
run french-over-german LANG=de_DE.UTF-8 LC_ALL=fr_FR.UTF-8 -- --parallel 2
run new-york TZ=America/New_York -- --parallel 2
run chatham TZ=Pacific/Chatham -- --parallel 2
run empty-home HOME="$home" -- --parallel 2
run second-run -- --parallel 2
run repeated -- --parallel 2 -R "$gui|^Wipe|^Create|^DebianPackage" --repeat until-fail:3

if [ ${#failed[@]} -gt 0 ]; then
    echo "failed in: ${failed[*]} (logs: $build/environment-*.log)"
    exit 1
fi
echo "every environment passed"
