#!/usr/bin/env bash
# sealvane-cli against the tools a user would otherwise pick, on the same files in the same run:
# 7z (stored, with a password), gpg -c, zip -0 -P, openssl enc -rc4 and shred. Every command that
# writes a container or archive is followed by `sync FILE` (an fsync of what it wrote), because
# ours reaches the disk (one fsync per container); a plain sync would also wait for whatever other
# programs left unwritten. Extractions are timed without sync on both sides. Prints one table: the median
# wall-clock time of each command, its ratio to ours (ours / theirs: below 1 we are faster) and
# the peak memory of its last run. A missing tool is named with its Debian package and left out.
#
#   bench/cli_vs_tools.sh [BUILD_DIR] [SIZE_MIB] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
size_mib=${2:-256}
runs=${3:-5}
cli=$(realpath "$build/cli/sealvane-cli")
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-cli-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir kept

sevenzip=$(command -v 7z || command -v 7zz || true)
missing=()
[ -n "$sevenzip" ] || missing+=("7z (Debian 7zip or p7zip-full)")
for tool in gpg:gnupg zip:zip unzip:unzip openssl:openssl shred:coreutils; do
    command -v "${tool%%:*}" > /dev/null || missing+=("${tool%%:*} (Debian ${tool#*:})")
done
have() { command -v "$1" > /dev/null; }

password=bench-password-2026
printf '%s\n' "$password" > pw
head -c $((size_mib << 20)) /dev/urandom > large.bin
mkdir small tiny
for n in $(seq 1 1000); do head -c 4096 /dev/urandom > "small/f$n.bin"; done
for n in $(seq 1 10000); do head -c 1024 /dev/urandom > "tiny/f$n.bin"; done
sync

echo "machine: $(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg); median of $runs runs"
printf '%-34s %-30s %9s %7s %9s\n' workload command "median" "ours/it" "peak"

# fresh FOLDER: an empty FOLDER for the next extraction. The last one's files are moved aside and
# kept until the end, not deleted: on ext4 without a journal, a new file skips every inode freed
# in the last minute (five when its block is unwritten) one by one, so deleting 10,000 files
# before each run made every tool's next 10,000 files take seconds instead of a fraction of one.
kept_count=0
fresh() {
    if [ -e "$1" ]; then
        kept_count=$((kept_count + 1))
        mv "$1" "kept/$1.$kept_count"
    fi
    mkdir "$1"
}

# measure WORKLOAD LABEL CLEANUP COMMAND...: runs CLEANUP then COMMAND, RUNS times; prints the
# median wall time, the ratio of ours (the first command of a workload) to it, and the peak
# resident memory of the last run.
ours_ms=0
measure() {
    local workload=$1 label=$2 cleanup=$3
    shift 3
    local times=()
    for _ in $(seq "$runs"); do
        # The clean-up's own writes and deletions (10,000 files) reach the disk before the clock
        # starts, instead of slowing down the command measured.
        eval "$cleanup"
        sync
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o peak "$@" > /dev/null 2> stderr < /dev/null || { cat stderr; exit 1; }
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    [ "$label" != "sealvane-cli" ] || ours_ms=$median
    awk -v w="$workload" -v l="$label" -v t="$median" -v o="$ours_ms" -v k="$(cat peak)" \
        'BEGIN { printf "%-34s %-30s %6d ms %7.2f %5.0f MiB\n", w, l, t, (t > 0 ? o / t : 0), k / 1024 }'
}
# The same, followed inside the timing by an fsync of the file written (in a shell for that).
synced() {
    local workload=$1 label=$2 cleanup=$3 written=$4 command=$5
    measure "$workload" "$label" "$cleanup" sh -c "$command && sync $written"
}

w="create ${size_mib} MiB file"
synced "$w" sealvane-cli "rm -f large.xvt" large.xvt "'$cli' create --password-file pw large.xvt large.bin"
[ -z "$sevenzip" ] || synced "$w" "7z a -mx0 -p" "rm -f large.7z" large.7z "'$sevenzip' a -bd -mx0 -p$password large.7z large.bin"
! have gpg || synced "$w" "gpg -c -z 0" "rm -f large.gpg" large.gpg \
    "gpg -q -c -z 0 --batch --pinentry-mode loopback --passphrase-file pw -o large.gpg large.bin"
! have zip || synced "$w" "zip -0 -P" "rm -f large.zip" large.zip "zip -q -0 -P $password large.zip large.bin"
! have openssl || synced "$w" "openssl enc -rc4 -pbkdf2" "rm -f large.rc4" large.rc4 \
    "openssl enc -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.bin -out large.rc4"

w="extract ${size_mib} MiB file"
measure "$w" sealvane-cli "fresh out" "$cli" extract --password-file pw -o out large.xvt
[ -z "$sevenzip" ] || measure "$w" "7z x -p" "fresh out7" "$sevenzip" x -bd -p$password -oout7 large.7z
! have gpg || measure "$w" "gpg -d" "rm -f large.gpg.out" \
    gpg -q -d --batch --pinentry-mode loopback --passphrase-file pw -o large.gpg.out large.gpg
! have unzip || measure "$w" "unzip -P" "fresh outz" unzip -q -P $password -d outz large.zip
! have openssl || measure "$w" "openssl enc -d -rc4 -pbkdf2" "rm -f large.dec" \
    openssl enc -d -rc4 -pbkdf2 -provider legacy -provider default -pass file:pw -in large.rc4 -out large.dec
cmp -s large.bin out/large.bin || { echo "our round trip differs"; exit 1; }

for set in small:1000:4 tiny:10000:1; do
    folder=${set%%:*} count=$(echo "$set" | cut -d: -f2) kib=${set##*:}
    w="create $count files of $kib KiB"
    synced "$w" sealvane-cli "rm -f $folder.xvt" $folder.xvt "'$cli' create --password-file pw $folder.xvt $folder"
    [ -z "$sevenzip" ] || synced "$w" "7z a -mx0 -p" "rm -f $folder.7z" $folder.7z "'$sevenzip' a -bd -mx0 -p$password $folder.7z $folder"
    ! have zip || synced "$w" "zip -0 -P" "rm -f $folder.zip" $folder.zip "zip -q -r -0 -P $password $folder.zip $folder"
    w="extract $count files of $kib KiB"
    measure "$w" sealvane-cli "fresh out" "$cli" extract --password-file pw -o out $folder.xvt
    [ -z "$sevenzip" ] || measure "$w" "7z x -p" "fresh out7" "$sevenzip" x -bd -p$password -oout7 $folder.7z
    ! have unzip || measure "$w" "unzip -P" "fresh outz" unzip -q -P $password -d outz $folder.zip
    diff -r $folder out/$folder > /dev/null || { echo "our round trip of $folder differs"; exit 1; }
done

w="wipe ${size_mib} MiB (each pass on disk)"
measure "$w" sealvane-cli "cp large.bin wipe.bin; sync" "$cli" wipe -n 1 --yes wipe.bin
! have shred || measure "$w" "shred -n 3" "cp large.bin wipe.bin; sync" shred -n 3 wipe.bin

echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
[ ${#missing[@]} -eq 0 ] || echo "left out, not installed: ${missing[*]}"
