#!/usr/bin/env bash
# Configures (once) and builds Sealvane into the folder given as the first argument.
# Further arguments go to CMake's configure step, e.g. -DWITH_ASAN=ON.
set -euo pipefail
cd "$(dirname "$0")/.."

# Compiler cache keys relative to this clone, in a namespace of the project's own: another clone
# on this machine (a fresh one, or CI's) reuses what this one compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true CCACHE_NAMESPACE=sealvane

dir=${1:-build}
shift || true
if [ ! -f "$dir/build.ninja" ] || [ $# -gt 0 ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$dir" --parallel "$(nproc)"
