#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check-layers.sh
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGW_BUILD_TESTS=ON -DGW_WERROR=ON
cmake --build build -j2
ctest --test-dir build -j2 --output-on-failure
