#!/usr/bin/env bash
# run.sh [NATIVE_BUILD [WEB_BUILD]]: the web edition's tests: the files it
# serves, its script runner against the native goldens, and the page itself
# in Debian's chromium, compared with the desktop window's board, and the
# page around it (shell_test.mjs).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath "${1:-$root/build}")
web=$(realpath "${2:-$root/build-web}")
cd "$root"

/usr/bin/python3 tests/web/assets_test.py "$web"
tests/web/runner_golden.sh "$native" "$web"

[ -d tests/web/node_modules/playwright-core ] && [ -d tests/web/node_modules/@axe-core/playwright ] ||
    npm ci --prefix tests/web --silent --no-audit --no-fund
boards=$(mktemp -d)
trap 'rm -rf "$boards"' EXIT
# The desktop board after START and after the golden whole game's first moves.
mapfile -t moves < <(grep -m 3 '^click PANEL' tests/scripts/whole_game.script | sed 's/click PANEL//')
[ "${#moves[@]}" -eq 3 ] || { echo "run.sh: no first moves in whole_game.script" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$native/qt_board_shot" "$boards" "${moves[@]}" 2>/dev/null
WEB_BUILD="$web" QT_BOARDS="$boards" SHOTS="$boards" \
    node --test --test-concurrency=1 tests/web/browser_test.mjs tests/web/commands_test.mjs \
        tests/web/shell_test.mjs
