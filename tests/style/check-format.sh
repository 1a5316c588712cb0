#!/usr/bin/env bash
# Every C++ file of src/ and tests/ is formatted as .clang-format says.
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top"
find src tests \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run -Werror
