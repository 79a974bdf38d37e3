#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test: the whole suite, then the Windows
# launcher cross-built with mingw-w64 and tried under Wine, then the suite under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the threaded device tests (the link and the
# keyboard interface reader) under ThreadSanitizer. Before the sanitizer runs, every fuzz target
# runs for a few seconds from its corpus.
# TARVENIX_SANITIZERS=0 skips the two sanitizer runs (for a quick local check).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software

build_and_test() {
    local dir=$1; shift
    local sanitize=$1; shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVENIX_SANITIZE="$sanitize" >/dev/null
    cmake --build "$dir" -j"$jobs" "$@"
}

echo "== build and test"
build_and_test build ""
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Windows launcher: mingw-w64 cross build, under Wine"
cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-mingw -j"$jobs"
ctest --test-dir build-mingw --output-on-failure

echo "== fuzz targets, a few seconds each (clang, address and undefined-behaviour sanitizers)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTARVENIX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVENIX_FUZZ_SECONDS=3 >/dev/null
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -j"$jobs" -L fuzz

if [ "${TARVENIX_SANITIZERS:-1}" != 0 ]; then
    echo "== address and undefined-behaviour sanitizers"
    build_and_test build-asan "address,undefined"
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j"$jobs" -L unit

    echo "== thread sanitizer, device link"
    build_and_test build-tsan "thread" --target tst_Hid_Thread tst_KeyboardInterfaceReader
    TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp halt_on_error=1" \
        ctest --test-dir build-tsan --output-on-failure -R '^tst_(Hid_Thread|KeyboardInterfaceReader)$'
fi
