#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavisko on the bundled books.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
exec "$BUILD_DIR/bin/tavisko" "$@"
