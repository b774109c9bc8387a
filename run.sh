#!/usr/bin/env bash
# Installs what is missing, builds Sealvane and starts it as an installed copy: an installation
# record in the build folder names the built program, so the settings are stored as for a
# packaged installation.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/build.sh build
program="$PWD/build/program/sealvane"
echo "ProgPath=$program" > build/install.conf
export SEALVANE_INSTALL_RECORD="$PWD/build/install.conf"
exec "$program" "$@"
