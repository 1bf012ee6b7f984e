#!/usr/bin/env bash
# Installs what is missing, builds, lays out the demo installation when it is missing or out of date, and starts Gravelwright on it.
# Arguments are passed on (a setup file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build -j2 --target gravelwright make_demo
prefix="$PWD/build/demo-prefix"
# Made afresh when missing or older than the demo's template or its maker.
if [ ! -e "$prefix/system.reg" ] || [ -n "$(find demo/template build/demo/make_demo -newer "$prefix/system.reg" -print -quit)" ]; then
  rm -rf "$prefix"
  build/demo/make_demo demo/template "$prefix"
fi
WINEPREFIX="$prefix" exec build/src/app/gravelwright "$@"
