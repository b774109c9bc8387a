#!/usr/bin/env bash
# Mutation check: seeds one-line faults (scripts/mutants.txt) into the code one at a time, rebuilds
# the named targets, runs the tests that should notice and reports which faults were caught.
#   scripts/mutants.sh BUILD_DIR [PATTERN]     PATTERN: a grep -E regex on the mutant names
# Every mutated file is restored on exit, Ctrl-C included, and checked against its checksum.
set -uo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [PATTERN]" >&2
    exit 2
fi
BUILD_DIR=$(realpath "$1")
PATTERN=${2:-.}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
LIST="$ROOT/scripts/mutants.txt"
[[ -f "$BUILD_DIR/CTestTestfile.cmake" ]] || { echo "no configured build in $BUILD_DIR" >&2; exit 2; }

# Each area: its build targets, then after the colon the ctest prefixes of its test programs (tests
# are chosen by prefix, so that suites may be merged or renamed without the check losing them).
declare -A AREAS=(
    [core]="core-tests hostile-tests:core hostile"
    [settings]="settings-tests:settings"
    [app]="app-tests flow-tests:app flow"
    [ui]="window-tests password-meter-tests e2e-tests:window meter e2e"
    [cli]="sealvane-cli cli-tests cli-binary-tests:cli cli-binary"
    [richtext]="richtext-tests:richtext"
    [mail]="mail-tests:mail"
    [dragdrop]="dragdrop-tests:dragdrop"
)
# "@area" in the targets or tests field stands for that area's targets or test regex.
expand() {
    [[ $2 == @* ]] || { echo "$2"; return; }
    local area=${2#@}
    [[ -n ${AREAS[$area]+x} ]] || { echo "unknown area $2" >&2; exit 2; }
    local prefixes=${AREAS[$area]#*:}
    [[ $1 == TARGETS ]] && echo "${AREAS[$area]%%:*}" || echo "^(${prefixes// /|})\."
}

NAMES=() FILES=() BUILDS=() REGEXES=() ORIGINALS=() REPLACEMENTS=()
while IFS=$'\t' read -r name file targets regex original replacement; do
    [[ -z $name || $name == \#* ]] && continue
    [[ -n $replacement || -n $original ]] || { echo "malformed line for $name" >&2; exit 2; }
    echo "$name" | grep -qE -- "$PATTERN" || continue
    builds=$(expand TARGETS "$targets") && tests=$(expand TESTS "$regex") || exit 2
    NAMES+=("$name") FILES+=("$file") BUILDS+=("$builds")
    REGEXES+=("$tests") ORIGINALS+=("$original") REPLACEMENTS+=("$replacement")
done <"$LIST"
[[ ${#NAMES[@]} -gt 0 ]] || { echo "no mutant matches '$PATTERN'" >&2; exit 2; }

# Someone else's uncommitted work in a file we would mutate must not be touched.
for file in $(printf '%s\n' "${FILES[@]}" | sort -u); do
    [[ -f "$ROOT/$file" ]] || { echo "missing file $file" >&2; exit 2; }
    if ! git -C "$ROOT" diff --quiet -- "$file" || ! git -C "$ROOT" diff --cached --quiet -- "$file"; then
        echo "refusing to start: $file has uncommitted changes" >&2
        exit 2
    fi
done

BACKUP=$(mktemp -d)
CURRENT="" CURRENT_SUM=""
restore() {
    if [[ -n $CURRENT ]]; then
        # A fresh modification time: the build must see the file change back and recompile it,
        # or the next mutant's tests would run against this one's objects.
        cp "$BACKUP/original" "$ROOT/$CURRENT"
        touch "$ROOT/$CURRENT"
        if [[ $(sha256sum <"$ROOT/$CURRENT") != "$CURRENT_SUM" ]]; then
            echo "ERROR: $CURRENT not restored, its original is in $BACKUP/original" >&2
            exit 3
        fi
        CURRENT=""
    fi
}
trap 'restore; rm -rf "$BACKUP"' EXIT
trap 'echo "interrupted" >&2; exit 130' INT TERM

# Replaces the one occurrence of the fragment; fails when it occurs never or more than once.
apply() {
    python3 - "$@" <<'PY'
import sys
path, original, replacement = sys.argv[1:4]
text = open(path, encoding="utf-8").read()
count = text.count(original)
if count != 1:
    sys.exit(f"fragment found {count} times in {path}: {original}")
open(path, "w", encoding="utf-8").write(text.replace(original, replacement))
PY
}

LOG="$BUILD_DIR/mutants-log"
mkdir -p "$LOG"

# A fault counts as caught only if the same tests pass without it.
ALL_TARGETS=$(printf '%s\n' "${BUILDS[@]}" | tr ' ' '\n' | sort -u)
ALL_TESTS=$(printf '(%s)|' $(printf '%s\n' "${REGEXES[@]}" | sort -u))
# shellcheck disable=SC2086 # the targets are a word list
if ! cmake --build "$BUILD_DIR" --target $ALL_TARGETS >"$LOG/baseline.build" 2>&1 ||
    ! ctest --test-dir "$BUILD_DIR" -R "${ALL_TESTS%|}" --timeout 120 -j2 >"$LOG/baseline.test" 2>&1; then
    echo "the unmutated code fails its build or tests, see $LOG/baseline.*" >&2
    exit 2
fi
caught=0 survived=0 notcompiled=0 broken=0
SURVIVORS=()
for i in "${!NAMES[@]}"; do
    name=${NAMES[$i]} file=${FILES[$i]}
    start=$SECONDS
    CURRENT_SUM=$(sha256sum <"$ROOT/$file")
    cp -p "$ROOT/$file" "$BACKUP/original"
    CURRENT=$file
    if ! apply "$ROOT/$file" "${ORIGINALS[$i]}" "${REPLACEMENTS[$i]}" 2>"$LOG/$name.apply"; then
        restore
        echo "BROKEN       $name: $(cat "$LOG/$name.apply")"
        broken=$((broken + 1))
        continue
    fi
    # shellcheck disable=SC2086 # the targets are a word list
    if ! cmake --build "$BUILD_DIR" --target ${BUILDS[$i]} >"$LOG/$name.build" 2>&1; then
        result="not compiled"
        notcompiled=$((notcompiled + 1))
    elif ctest --test-dir "$BUILD_DIR" -R "${REGEXES[$i]}" --timeout 120 -j2 >"$LOG/$name.test" 2>&1; then
        if grep -q "No tests were found" "$LOG/$name.test"; then
            result="BROKEN (no tests match)"
            broken=$((broken + 1))
        else
            result="SURVIVED"
            survived=$((survived + 1))
            SURVIVORS+=("$name")
        fi
    else
        result="caught"
        caught=$((caught + 1))
    fi
    restore
    printf '%-13s %-32s %-30s %4ds\n' "$result" "$name" "$file" $((SECONDS - start))
done

# Leave the build matching the restored sources.
# shellcheck disable=SC2086
cmake --build "$BUILD_DIR" --target $ALL_TARGETS >"$LOG/final.build" 2>&1 ||
    echo "warning: the final rebuild failed, see $LOG/final.build" >&2

total=${#NAMES[@]}
echo "caught $caught of $((total - notcompiled - broken)) (not compiled: $notcompiled, broken: $broken, survived: $survived)"
[[ ${#SURVIVORS[@]} -eq 0 ]] || echo "survivors: ${SURVIVORS[*]}"
[[ $broken -eq 0 ]]
