#!/usr/bin/env bash
# A container past 2 GiB through the real program: one entry of 2 GiB + 1 MiB is stored, listed
# and extracted, and the extracted file must hash like the original. The original is a sparse
# file with random bytes at its start, across the 2 GiB mark and at its end; the container and
# the extracted copy take real disk space, removed again however the test ends. Exits 77 (a
# skip) only when the disk has too little free space.
set -euo pipefail
cli=$(realpath "$1")
size=$((2 * 1024 * 1024 * 1024 + 1024 * 1024))
# The container, the extracted copy and room to spare.
needed_kib=$((2 * size / 1024 + 256 * 1024))

work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-large-XXXXXX")
hasher=
cleanup() {
    [ -z "$hasher" ] || kill "$hasher" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

free_kib=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
if [ "$free_kib" -lt "$needed_kib" ]; then
    echo "SKIPPED: $((free_kib / 1024)) MiB free in $work, $((needed_kib / 1024)) MiB needed"
    exit 77
fi

cd "$work"
echo "large password" > password
truncate -s "$size" big.bin
for offset in 0 $((2 * 1024 * 1024 * 1024 - 512 * 1024)) $((size - 1024 * 1024)); do
    head -c $((1024 * 1024)) /dev/urandom |
        dd of=big.bin bs=1M seek="$offset" oflag=seek_bytes conv=notrunc status=none
done
[ "$(stat -c %s big.bin)" -eq "$size" ] || { echo "the original is not $size bytes long" >&2; exit 1; }

# The original is hashed while the container is written (openssl: it uses the processor's
# SHA-256 instructions, several times faster than sha256sum).
openssl dgst -sha256 -r big.bin > expected &
hasher=$!

started=$SECONDS
"$cli" create --password-file password big.xvt big.bin
echo "create: $((SECONDS - started)) s, container $(stat -c %s big.xvt) bytes"

listing=$("$cli" list --password-file password big.xvt)
echo "$listing"
echo "$listing" | grep -Eq "^0 +big\.bin +\. +$size " || { echo "the listing does not show the entry" >&2; exit 1; }

started=$SECONDS
"$cli" extract --password-file password -o out big.xvt
echo "extract: $((SECONDS - started)) s"
rm big.xvt

actual=$(openssl dgst -sha256 -r out/big.bin | cut -d' ' -f1)
wait "$hasher"
hasher=
expected=$(cut -d' ' -f1 expected)
echo "sha256 original $expected, extracted $actual"
[ "$actual" = "$expected" ] || { echo "the extracted file differs from the original" >&2; exit 1; }
