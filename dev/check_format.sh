#!/usr/bin/env bash
# check_format.sh [ROOT]: fails when a C++ source differs from what
# clang-format makes of it under the repository's .clang-format.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
    echo "clang-format is not installed (Debian package clang-format)"
    exit 1
fi
find . -path ./.git -prune -o -path './build*' -prune -o -path '*/node_modules' -prune -o \
    -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
    sort -z | xargs -0 "$format" --dry-run --Werror
echo "every source is formatted"
