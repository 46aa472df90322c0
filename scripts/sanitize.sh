#!/usr/bin/env bash
# Builds the shell tests with the address and undefined-behaviour sanitizers
# and runs the case that opens and closes every window with a type-ahead box:
# a paste catcher that touched a box being destroyed would stop it.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${WVS_JOBS:-$(nproc)}"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWVS_BUILD_TESTS=ON -DWVS_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs" --target test_shell
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
./build-sanitize/test_shell --gtest_filter='TypeAheadWindowsTest.*'
