#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/<Name>.cpp -> fuzz_<Name>) with
# AddressSanitizer and UndefinedBehaviorSanitizer, the libraries included,
# in their own build folder, and runs each target for a while.
#
# Usage: scripts/fuzz.sh [seconds per target, default 60] [Name...]
#   FUZZ_BUILD_DIR  build folder (default build-fuzz)
#   FUZZ_JOBS       build jobs (default: number of processors)
# The corpus each target grows is kept in <build>/fuzz-corpus/<Name>; a
# tests/fuzz/<Name>.dict file is handed to the target as its dictionary.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_JOBS:-$(nproc)}

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for f in tests/fuzz/*.cpp; do
    names+=("$(basename "$f" .cpp)")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "No fuzz targets in tests/fuzz." >&2
  exit 1
fi

./scripts/install-deps.sh

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DTV_FUZZ=ON -DTV_BUILD_TESTS=ON -DTV_BUILD_BENCHMARKS=OFF >/dev/null

targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
cmake --build "$build_dir" -j "$jobs" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

status=0
for n in "${names[@]}"; do
  corpus="$build_dir/fuzz-corpus/$n"
  mkdir -p "$corpus"
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-crash-$n-")
  if [ -f "tests/fuzz/$n.dict" ]; then
    args+=(-dict="tests/fuzz/$n.dict")
  fi
  echo "== fuzz_$n for ${seconds}s"
  if ! "$build_dir/bin/fuzz_$n" "${args[@]}" "$corpus"; then
    echo "== fuzz_$n FAILED; the input is in $build_dir/fuzz-crash-$n-*" >&2
    status=1
  fi
done
exit $status
