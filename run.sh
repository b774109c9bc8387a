#!/usr/bin/env bash
# Installs what is missing, builds Sealvane and starts it. Until the windows exist, this runs the
# cipher benchmarks: key set-up, keystream and cipher file stream against textbook RC4.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/build.sh build
exec ./build/bench/sealvane-bench "$@"
