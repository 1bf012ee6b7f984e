#!/usr/bin/env bash
# Builds the release package for this system (a Debian package on Linux) into build-package/packages/ and
# prints its path. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DGW_BUILD_TESTS=OFF -DGW_WERROR=ON
cmake --build build-package -j2
rm -rf build-package/packages
(cd build-package && cpack >cpack.log) || { cat build-package/cpack.log; exit 1; }
ls build-package/packages/*.deb
