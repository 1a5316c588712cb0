#!/usr/bin/env bash
# Includes point one way, from the ground up:
#   model, markup, res, automation < quiz < print, history
#   < export, platformexport, bookimport
#   < desktop < ui < app
# A file of src/<folder> may include "<other>/..." only from its own layer
# or one below it. Every include against the order is listed.
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top/src"

declare -A layer=(
    [model]=0 [markup]=0 [res]=0 [automation]=0
    [quiz]=1 [print]=2 [history]=2 [export]=3 [platformexport]=3 [bookimport]=3
    [desktop]=4 [ui]=5 [app]=6
)

status=0
while IFS= read -r -d '' file; do
    folder=${file%%/*}
    [[ -n ${layer[$folder]+set} ]] || continue
    while IFS=: read -r line target; do
        [[ -n ${layer[$target]+set} ]] || continue
        if ((layer[$target] > layer[$folder])); then
            echo "src/$file:$line: $folder includes $target, which is above it" >&2
            status=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][a-z]*/' "$file" \
        | sed 's|^\([0-9]*\):[^"<]*["<]\([a-z]*\)/.*|\1:\2|')
done < <(find . \( -name '*.cpp' -o -name '*.h' -o -name '*.in' \) -printf '%P\0')
exit $status
