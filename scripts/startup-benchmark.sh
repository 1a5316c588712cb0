#!/usr/bin/env bash
# Start-up benchmark: the time from starting the program to its first
# window on the screen, against a bare Qt window started the same way in
# the same run, under a virtual X server (tests/benchmarks/StartupWindow.cpp).
# Extra arguments go to the benchmark (e.g. --benchmark_repetitions=3).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

if [ -z "${TV_STARTUP_BENCH_IN_XVFB:-}" ]; then
  ./scripts/install-deps.sh
  cmake --build "$BUILD_DIR" --target tavisko bench_StartupWindow
  export TV_STARTUP_BENCH_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

exec "$BUILD_DIR/bin/bench_StartupWindow" "$@"
