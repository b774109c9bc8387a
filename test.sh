#!/usr/bin/env bash
# Installs what is missing, builds Sealvane and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
