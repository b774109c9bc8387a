#!/usr/bin/env bash
# sealvane-cli against the tools a user would otherwise reach for, on the same files in the same
# run: openssl (create and extract of one large file), zip (many small files) and shred (wipe).
# Prints the median wall-clock time and the peak memory of every command.
#
#   bench/cli_vs_tools.sh [BUILD_DIR] [SIZE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
size_mib=${2:-256}
cli=$(realpath "$build/cli/sealvane-cli")
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-cli-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

printf 'bench-password-2026\n' > pw
head -c $((size_mib << 20)) /dev/urandom > large.bin
mkdir small
for n in $(seq 1 1000); do head -c 4096 /dev/urandom > "small/f$n.bin"; done
sync

# measure LABEL RUNS CLEANUP COMMAND...: the median wall time in milliseconds of RUNS runs (the
# CLEANUP command runs before each), and the peak resident memory (MiB) of the last run.
measure() {
    local label=$1 runs=$2 cleanup=$3
    shift 3
    local times=()
    for _ in $(seq "$runs"); do
        eval "$cleanup"
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o peak "$@" > /dev/null 2> stderr || { cat stderr; exit 1; }
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000000 )))
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    awk -v l="$label" -v t="$median" -v k="$(cat peak)" 'BEGIN { printf "%-44s %8d ms %8.1f MiB\n", l, t, k / 1024 }'
}

echo "== ${size_mib} MiB file"
measure "sealvane-cli create" 3 "rm -f large.xvt" "$cli" create --password-file pw large.xvt large.bin
measure "openssl enc -rc4 -pbkdf2 (encrypt)" 3 "rm -f large.rc4" \
    openssl enc -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.bin -out large.rc4
measure "sealvane-cli extract" 3 "rm -rf out; mkdir out" "$cli" extract --password-file pw -o out large.xvt
measure "openssl enc -d -rc4 -pbkdf2 (decrypt)" 3 "rm -f large.dec" \
    openssl enc -d -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.rc4 -out large.dec
cmp -s large.bin out/large.bin && cmp -s large.bin large.dec || { echo "round trip differs"; exit 1; }

echo "== 1000 files of 4 KiB"
measure "sealvane-cli create" 9 "rm -f small.xvt" "$cli" create --password-file pw small.xvt small
measure "zip -0 -P" 9 "rm -f small.zip" zip -q -r -0 -P bench-password-2026 small.zip small

echo "== wipe ${size_mib} MiB (every pass reaches the disk)"
measure "sealvane-cli wipe -n 1 (3 passes)" 3 "cp large.bin wipe.bin; sync" "$cli" wipe -n 1 --yes wipe.bin
measure "shred -n 3" 3 "cp large.bin wipe.bin; sync" shred -n 3 wipe.bin
