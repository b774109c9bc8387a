#!/usr/bin/env bash
# The Debian package, made by cpack from the programs of this build folder and checked without
# installing it: every file in place with its owner and mode, the installation record as a
# conffile, the dependencies computed, the menu entry and the file type valid, the icons rendered
# at their sizes, no error from lintian; then, unpacked into a scratch root that the desktop
# looks into, a container is recognised by its name and opens with Sealvane.
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "-- cpack makes the package from this build"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/out/sealvane_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $work/out: $(ls "$work/out")"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "sealvane_${version}_${arch}.deb" ] || fail "named $(basename "$deb")"
[ "$arch" = "$(dpkg --print-architecture)" ] || fail "architecture $arch"

echo "-- every file in place, owned by root, with its mode"
dpkg-deb --contents "$deb" | awk '{ print $1, $2, $6 }' > "$work/contents"
expect_entry() { # expect_entry MODE PATH
    grep -qxF -- "$1 root/root ./$2" "$work/contents" || fail "no '$1 root/root ./$2' in: $(cat "$work/contents")"
}
for program in sealvane sealvane-cli; do expect_entry -rwxr-xr-x "usr/bin/$program"; done
icons=()
for size in 48x48 256x256; do
    icons+=("usr/share/icons/hicolor/$size/apps/sealvane.png"
        "usr/share/icons/hicolor/$size/mimetypes/application-x-sealvane.png")
done
for file in etc/sealvane/install.conf usr/share/man/man1/sealvane-cli.1.gz usr/share/man/man1/sealvane.1.gz \
    usr/share/applications/sealvane.desktop usr/share/mime/packages/sealvane.xml \
    usr/share/doc/sealvane/copyright usr/share/doc/sealvane/changelog.gz \
    usr/share/icons/hicolor/scalable/apps/sealvane.svg \
    usr/share/icons/hicolor/scalable/mimetypes/application-x-sealvane.svg "${icons[@]}"; do
    expect_entry -rw-r--r-- "$file"
done
if grep -v '^d' "$work/contents" | grep -vE '^-rw-r--r-- |^-rwxr-xr-x root/root \./usr/bin/'; then
    fail "files with other modes or owners (above)"
fi
if grep '^d' "$work/contents" | grep -v '^drwxr-xr-x root/root '; then fail "folders with other modes (above)"; fi

echo "-- the installation record is a conffile naming the installed program"
[ "$(dpkg-deb -I "$deb" conffiles)" = "/etc/sealvane/install.conf" ] || fail "conffiles: $(dpkg-deb -I "$deb" conffiles)"
root="$work/root"
dpkg-deb -x "$deb" "$root"
[ "$(cat "$root/etc/sealvane/install.conf")" = "ProgPath=/usr/bin/sealvane" ] || fail "record: $(cat "$root/etc/sealvane/install.conf")"

echo "-- dependencies from the libraries the programs link, and xdg-utils"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in xdg-utils libqt6widgets6 libqt6svg6 libc6; do
    grep -qE "(^|, )$needed( |,|$)" <<< "$depends" || fail "Depends lacks $needed: $depends"
done

echo "-- manual pages and changelog compressed; the changelog names this version"
for file in usr/share/man/man1/sealvane-cli.1.gz usr/share/man/man1/sealvane.1.gz usr/share/doc/sealvane/changelog.gz; do
    gzip -t "$root/$file" || fail "$file is no gzip file"
done
[ "$(zcat "$root/usr/share/doc/sealvane/changelog.gz" | head -n 1)" = "sealvane ($version) unstable; urgency=medium" ] ||
    fail "the changelog's last entry is not $version: $(zcat "$root/usr/share/doc/sealvane/changelog.gz" | head -n 1)"

echo "-- the icons are rendered at the size their folder names"
for file in "${icons[@]}"; do
    size=${file#usr/share/icons/hicolor/}
    size=${size%%/*}
    [ "$(identify -format '%m %wx%h' "$root/$file")" = "PNG $size" ] || fail "$file: $(identify "$root/$file")"
done

echo "-- the menu entry and the file type are valid"
validation=$(desktop-file-validate "$root/usr/share/applications/sealvane.desktop" 2>&1) || fail "$validation"
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
mime_log=$(update-mime-database -V "$root/usr/share/mime" 2>&1) || fail "update-mime-database: $mime_log"
if grep -iE 'warning|error|invalid' <<< "$mime_log"; then fail "update-mime-database complained (above)"; fi
for lang in de fr eo; do
    grep -q "xml:lang=\"$lang\"" "$root/usr/share/mime/application/x-sealvane.xml" || fail "no $lang comment"
done
update-desktop-database "$root/usr/share/applications"

echo "-- lintian reports no error"
status=0
lintian --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -le 1 ] || fail "lintian did not run (exit status $status)"
if [ "$status" -eq 1 ] || grep -q '^E: ' "$work/lintian.log"; then fail "lintian reports errors (above)"; fi

echo "-- unpacked: a container is recognised by its name and opens with Sealvane"
export XDG_DATA_DIRS="$root/usr/share" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_CONFIG_DIRS="$work/config-dirs" HOME="$work/home"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS" "$HOME"
for name in some.xvt old.bwk; do
    printf '\4\0\0\0\0\0\0\0' > "$work/$name"
    type=$(xdg-mime query filetype "$work/$name")
    [ "$type" = "application/x-sealvane" ] || fail "$name is '$type'"
done
printf '\4\0\0\0\0\0\0\0' > "$work/other.bin"
[ "$(xdg-mime query filetype "$work/other.bin")" != "application/x-sealvane" ] ||
    fail "a file of another name with a container's first bytes counts as a container"
default=$(xdg-mime query default application/x-sealvane)
[ "$default" = "sealvane.desktop" ] || fail "the default for containers is '$default'"
echo "all checks passed"
