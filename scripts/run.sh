#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavisko on the bundled books
# (build/bin/tavisko with build/bin/data beside it). Without a display it
# runs under a virtual X server (xvfb-run), where its window is invisible.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
program="$BUILD_DIR/bin/tavisko"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): starting $program under xvfb-run;" \
       "its window is not visible. Stop it with Ctrl+C." >&2
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$program" "$@"
fi
exec "$program" "$@"
