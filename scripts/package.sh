#!/usr/bin/env bash
# Builds a release of Sealvane and its Debian package in one step, into the folder given as the
# first argument (default build-release): <folder>/sealvane_<version>_<arch>.deb. The programs are
# built with Debian's compiler flags (optimisation -O2 and hardening); tests and benchmarks are
# left out.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-build-release}
./scripts/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DWITH_TESTS=OFF -DWITH_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
cmake --build "$dir" --parallel "$(nproc)" --target package
ls "$dir"/sealvane_*.deb
