#!/usr/bin/env bash
# A teacher's whole round through the program under a virtual X server:
# book "301", its question formats, two units of its contents as the range,
# three prints filled automatically, each print page looked at, the prints
# written into the office's Writer and read back from it. A picture of every
# step goes to $BUILD_DIR/walkthrough/NN-step.png (with document.txt, the
# text written). The round runs with user data, caches and the office
# profile of its own under that folder, so nothing of the user's is touched.
#
#   BUILD_DIR=build-walk scripts/walkthrough.sh
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

./scripts/install-deps.sh
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" --target walkthrough_TeacherRound

build=$(cd "$BUILD_DIR" && pwd)
out=${OUT_DIR:-$build/walkthrough}
rm -rf "$out"
home="$out/home"
mkdir -p "$home/data" "$home/cache" "$home/config" "$home/runtime"
chmod 700 "$home/runtime"

status=0
env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
    QT_QPA_PLATFORM=xcb TV_WALK_DIR="$out" TV_KEEP_TEST_ENV=1 \
    timeout 900 xvfb-run -a -s "-screen 0 1280x900x24" \
    "$build/bin/walkthrough_TeacherRound" "$@" || status=$?
echo "pictures in $out:"
ls "$out"/*.png 2>/dev/null || true
exit $status
