#!/usr/bin/env bash
# Builds the library and its tests twice, plainly and with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the whole test suite in both builds, and runs the memory
# checks (label memcheck: the suites and the corpus round trip under valgrind) on the plain
# build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" -LE memcheck

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORDEX_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

ctest --test-dir build --output-on-failure -j"$jobs" -L memcheck --no-tests=error
