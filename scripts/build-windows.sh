#!/usr/bin/env bash
# Builds Gravelwright for 64-bit Windows with MinGW-w64 against the Qt that scripts/build-qt-windows.sh makes
# (built first when it is missing), and packs the portable zip Gravelwright-<version>-windows-x64.zip: the
# program, Qt's DLLs and plugins, the MinGW runtime, a README and the licence.
#
# Usage: scripts/build-windows.sh [--tests]
#   --tests   also build the test programs (to run under Wine)
# The build folder is build-windows (or $GW_WINDOWS_BUILD); the zip lands in its package/ folder and its path
# is the last line of the output.
set -euo pipefail
cd "$(dirname "$0")/.."

tests=OFF
for arg in "$@"; do
  case $arg in
    --tests) tests=ON ;;
    *)
      echo "usage: scripts/build-windows.sh [--tests]" >&2
      exit 2
      ;;
  esac
done

build=${GW_WINDOWS_BUILD:-build-windows}
jobs=${GW_JOBS:-$(nproc)}

qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
[ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] || {
  echo "build-windows: no Qt for MinGW in '$qt'" >&2
  exit 1
}

echo "== configuring the Windows build in $build (Qt from $qt)" >&2
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DGW_BUILD_UI=ON -DGW_BUILD_TESTS="$tests" -DGW_WERROR=ON >/dev/null

echo "== building" >&2
cmake --build "$build" --parallel "$jobs" >&2

echo "== packing the portable zip" >&2
rm -rf "$build/package"
(cd "$build" && cpack -G ZIP >&2)
zip=$(find "$build/package" -maxdepth 1 -name 'Gravelwright-*-windows-x64.zip' | head -n 1)
[ -n "$zip" ] || {
  echo "build-windows: cpack made no zip" >&2
  exit 1
}
echo "$zip"
