#!/usr/bin/env bash
# Installs, from Debian's packages, everything Sealvane needs to build, test and run.
# Idempotent: when every package is present it only checks and returns at once.
set -euo pipefail

PACKAGES=(
    # build
    cmake ninja-build g++ ccache pkg-config clang libclang-rt-dev
    # container format 5: AES-256-GCM, PBKDF2 and HKDF from OpenSSL's libcrypto
    libssl-dev
    # Qt 6
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools libgl-dev libxkbcommon-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
    # the desktop under test: virtual X server, tray, scripted input, screenshots
    xvfb xauth xdotool trayer xclip imagemagick x11-utils
    # desktop integration and looks
    xdg-utils fonts-dejavu-core breeze-icon-theme
    # the Debian package: icons rendered at build time, dependencies computed, the package checked
    # (lintian, the menu entry, the file type, xdg-mime's lookup through the MIME database)
    librsvg2-bin dpkg-dev lintian desktop-file-utils shared-mime-info libfile-mimeinfo-perl
    # the browser page: the WebAssembly compiler, and the browser its test drives
    emscripten chromium
    # command-line helpers used by the test scripts
    strace openssl zip time coreutils python3
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo DEBIAN_FRONTEND=noninteractive)
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
