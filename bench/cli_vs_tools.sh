#!/usr/bin/env bash
# sealvane-cli against the tools a user would otherwise reach for, on the same files in the same
# run: openssl (create and extract of one large file), zip (many small files) and shred (wipe).
# Prints wall-clock seconds and peak memory of every command.
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

# measure LABEL COMMAND...: wall seconds and peak resident memory (MiB) of one command.
measure() {
    local label=$1
    shift
    /usr/bin/time -f "%e %M" -o timing "$@" > /dev/null 2> stderr || { cat stderr; exit 1; }
    read -r seconds kib < timing
    awk -v l="$label" -v s="$seconds" -v k="$kib" 'BEGIN { printf "%-44s %8.2f s %8.1f MiB\n", l, s, k / 1024 }'
}

echo "== ${size_mib} MiB file"
measure "sealvane-cli create" "$cli" create --password-file pw large.xvt large.bin
measure "openssl enc -rc4 -pbkdf2 (encrypt)" \
    openssl enc -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.bin -out large.rc4
mkdir out
measure "sealvane-cli extract" "$cli" extract --password-file pw -o out large.xvt
measure "openssl enc -d -rc4 -pbkdf2 (decrypt)" \
    openssl enc -d -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.rc4 -out large.dec
cmp -s large.bin out/large.bin && cmp -s large.bin large.dec || { echo "round trip differs"; exit 1; }

echo "== 1000 files of 4 KiB"
measure "sealvane-cli create" "$cli" create --password-file pw small.xvt small
measure "zip -0 -P" zip -q -r -0 -P bench-password-2026 small.zip small

echo "== wipe ${size_mib} MiB (every pass reaches the disk)"
cp large.bin wipe-a.bin
cp large.bin wipe-b.bin
sync
measure "sealvane-cli wipe -n 1 (3 passes)" "$cli" wipe -n 1 --yes wipe-a.bin
measure "shred -n 3" shred -n 3 wipe-b.bin
