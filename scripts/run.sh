#!/usr/bin/env bash
# Installs what is missing, builds WVS and starts it. WVS.db lives in $WVS_HOME,
# else beside the executable (build/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target wvs
exec ./build/wvs "$@"
