#!/usr/bin/env bash
# Creating a container of many small files costs, per file, one open, one read and at most two
# looks at its metadata, and the whole container one fsync: watches the real program's system
# calls.
set -euo pipefail
cli=$1
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-create-XXXXXX")
trap 'rm -rf "$work"' EXIT
files=200
mkdir "$work/in"
for n in $(seq "$files"); do head -c 4096 /dev/urandom > "$work/in/f$n.bin"; done
printf 'pw-for-the-trace\n' > "$work/pw"

strace -f -e trace=openat,read,pread64,fsync,fdatasync,stat,lstat,newfstatat,statx -o "$work/trace" \
    "$cli" create --password-file "$work/pw" "$work/out.xvt" "$work/in" > /dev/null

count() { grep -cE "$1" "$work/trace" || true; }
opens=$(count "openat\(.*/in/f[0-9]+\.bin\"")
looks=$(count "(stat|fstatat|statx)\(.*/in/f[0-9]+\.bin\"")
reads=$(count "pread64\(")
syncs=$(count "(fsync|fdatasync)\(")
echo "$files files: $opens opens, $looks metadata looks, $reads preads in all, $syncs fsyncs"
fail=0
[ "$opens" -eq "$files" ] || { echo "expected one open per file" >&2; fail=1; }
[ "$looks" -le $((2 * files)) ] || { echo "expected at most two metadata looks per file" >&2; fail=1; }
[ "$reads" -le $((files + 20)) ] || { echo "expected one read per file" >&2; fail=1; }
[ "$syncs" -eq 1 ] || { echo "expected one fsync for the container" >&2; fail=1; }
exit "$fail"
