#!/usr/bin/env bash
# Installs what is missing, builds WVS with its tests and runs the sanitizer
# build's case (scripts/sanitize.sh), then every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWVS_BUILD_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
bash scripts/sanitize.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest -j"$(nproc)" --output-on-failure --timeout 300
