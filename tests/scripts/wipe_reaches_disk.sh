#!/usr/bin/env bash
# Every overwrite pass of a wipe must reach the device before the next pass starts: watches the
# real program's system calls and expects, for two cycles, six runs of writes to the file each
# closed by an fsync of that file.
set -euo pipefail
cli=$1
# A sanitizer build's leak check cannot run under strace.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-wipe-XXXXXX")
trap 'rm -rf "$work"' EXIT
head -c 20000 /dev/urandom > "$work/secret.bin"

strace -f -e trace=openat,pwrite64,write,fsync,fdatasync,close -o "$work/trace" \
    "$cli" wipe -n 2 --yes "$work/secret.bin" > /dev/null

# One letter per system call on the file: W a write, S a flush to the device.
pattern=$(awk -v file="$work/secret.bin" '
    index($0, "openat(") && index($0, "\"" file "\"") { split($0, parts, "= "); fd = parts[2] + 0; next }
    fd != "" && ($0 ~ "pwrite64\\(" fd "," || $0 ~ " write\\(" fd ",") { printf "W" }
    fd != "" && ($0 ~ "fsync\\(" fd "\\)" || $0 ~ "fdatasync\\(" fd "\\)") { printf "S" }
    fd != "" && $0 ~ "close\\(" fd "\\)" { fd = "" }
' "$work/trace")
collapsed=$(echo "$pattern" | sed -E 's/W+/W/g')
echo "system calls on the file: $collapsed"
if [ "$collapsed" != "WSWSWSWSWSWS" ]; then
    echo "expected six passes, each written and then flushed: WSWSWSWSWSWS" >&2
    exit 1
fi
[ ! -e "$work/secret.bin" ] || { echo "the file was not deleted" >&2; exit 1; }
