#!/usr/bin/env bash
# runner_golden.sh NATIVE_BUILD WEB_BUILD: the script runner compiled to
# WebAssembly, run under node, prints what each golden script's .out (and
# .err) holds and exits with its .status, as the native runner does; bad
# input (no such file, a folder, bad lines, standard input) is met with the
# same output, messages and status by both. One line a check; fails on any
# difference.
set -uo pipefail
if [ $# -ne 2 ]; then
    echo "usage: runner_golden.sh NATIVE_BUILD WEB_BUILD" >&2
    exit 2
fi
native=("$1/tembira-script")
web=(node "$2/tembira-script.js")
for program in "${native[0]}" "$2/tembira-script.js"; do
    if [ ! -f "$program" ]; then
        echo "runner_golden.sh: no $program" >&2
        exit 2
    fi
done
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

faults=0
# check NAME: one line saying whether the run in $work/web.* matches
# $work/want.*.
check() {
    local name=$1 differs=""
    cmp -s "$work/want.out" "$work/web.out" || differs+=" stdout"
    cmp -s "$work/want.err" "$work/web.err" || differs+=" stderr"
    [ "$(<"$work/want.status")" = "$(<"$work/web.status")" ] ||
        differs+=" status ($(<"$work/web.status"), not $(<"$work/want.status"))"
    if [ -n "$differs" ]; then
        echo "FAIL $name:$differs"
        diff "$work/want.out" "$work/web.out" | head -5 | cut -c1-160
        diff "$work/want.err" "$work/web.err" | head -5 | cut -c1-160
        faults=$((faults + 1))
    else
        echo "ok   $name"
    fi
}

# run PREFIX PROGRAM... : runs a program with standard input from $work/stdin.
run() {
    local prefix=$1
    shift
    "$@" <"$work/stdin" >"$work/$prefix.out" 2>"$work/$prefix.err"
    echo $? >"$work/$prefix.status"
}

: >"$work/stdin"
for script in "$scripts"/*.script; do
    base=${script%.script}
    cp "$base.out" "$work/want.out"
    if [ -f "$base.err" ]; then cp "$base.err" "$work/want.err"; else : >"$work/want.err"; fi
    if [ -f "$base.status" ]; then tr -d ' \n' <"$base.status" >"$work/want.status"; else echo 0 >"$work/want.status"; fi
    run web "${web[@]}" "$script"
    check "$(basename "$script")"
done

# Bad input, and numbers at the edges of what the runner reads: the web
# runner against the native one, argument for argument.
same() {
    local name=$1
    shift
    run want "${native[@]}" "$@"
    run web "${web[@]}" "$@"
    check "$name (same as native)"
}
bad_lines=(
    "wiat 10"
    "clickat 1e-400 10"
    "clickat 4.9e-324 10"
    "clickat 1e309 10"
    "clickat +1 10"
    "clickat 0x10 10"
    "clickat nan 10"
    "wait 9223372036854775808"
    "wait -0"
    "clock 12:3a:00"
)
for line in "${bad_lines[@]}"; do
    printf 'wait 1\nprint time\n%s\nprint time\n' "$line" >"$work/line.script"
    same "line '$line'" "$work/line.script"
done
same "no such file" "$work/no such.script"
same "a folder" "$work"
same "two arguments" "$scripts/end.script" "$scripts/end.script"
printf 'wait 1\nclick HAJIME\nwait 1\nclick START\nclickat 2077.25 3097.5e0\nwait 7\nprint PANEL5.Top\nprint GOALTOP\r\ndump\n' >"$work/stdin"
same "standard input"
: >"$work/stdin"

if [ "$faults" -gt 0 ]; then
    echo "$faults check(s) differ"
    exit 1
fi
echo "the web runner prints what the native one does"
