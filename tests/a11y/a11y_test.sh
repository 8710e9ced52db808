#!/usr/bin/env bash
# a11y_test.sh PROGRAM: starts PROGRAM in a private X server and D-Bus session
# with the accessibility bus, and runs tree_test.py against it.
# Needs Xvfb, dbus (dbus-run-session), at-spi2-core and python3-pyatspi.
set -euo pipefail
if [ -z "${TEMBIRA_A11Y_SESSION:-}" ]; then
    export TEMBIRA_A11Y_SESSION=1
    exec dbus-run-session -- "$0" "$@"
fi
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 600); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
pids+=($!)
# The game and the test each ask the session bus for the accessibility bus;
# once the launcher owns its name, neither can start a second launcher.
for _ in $(seq 600); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
        grep -q 'boolean true' && break
    sleep 0.05
done
# Records of its own, not those of whoever runs the tests.
XDG_DATA_HOME="$work/data" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>"$work/game.log" &
game=$!
pids+=($game)
# Debian's own Python: another one on PATH would not see pyatspi.
if ! /usr/bin/python3 "$here/tree_test.py"; then
    kill -0 "$game" 2>/dev/null || echo "the game is no longer running" >&2
    echo "what the game wrote:" >&2
    cat "$work/game.log" >&2
    exit 1
fi
