#!/usr/bin/env bash
# Installs what is missing, builds, lays out the demo installation once and starts Gravelwright on it.
# Arguments are passed on (a setup file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build -j2 --target gravelwright make_demo
prefix="$PWD/build/demo-prefix"
[ -e "$prefix/system.reg" ] || build/demo/make_demo demo/template "$prefix"
WINEPREFIX="$prefix" exec build/src/app/gravelwright "$@"
