#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into a build folder of their own and runs the
# whole test suite once under them. Not part of the normal test run: it
# takes a full build and runs several times slower.
#
#   scripts/sanitize.sh              build (into build-sanitize) and run every test
#   scripts/sanitize.sh -R Model     extra arguments go to ctest
#
# Memory errors and undefined behaviour stop the test that meets them and
# print where. Leak reports are off by default, since Qt and the office
# libraries keep some memory until the process ends; LSAN=1 turns them on.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build-sanitize}
# The vptr check is off: the office's UNO interfaces have their type
# information in the office's own libraries, which are not built with it, so
# every call through a UNO reference is reported as a call on a wrong type.
FLAGS="-fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# Configured on every run, so that a build folder made with other flags
# (an older version of this script) is brought up to these.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTV_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_C_FLAGS="$FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$BUILD_DIR" -j "$(nproc)"
export ASAN_OPTIONS="detect_leaks=${LSAN:-0}:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 1800 "$@"
