#!/usr/bin/env bash
# check_layers.sh [ROOT]: fails on an #include that points the wrong way
# between the game's folders. Each folder may include itself and the folders
# below it, as listed here; the list has no cycle.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

game="platform form board setup shell judge app solver"
declare -A may=(
    [platform]="platform"
    [form]="platform form"
    [board]="platform form board"
    [setup]="platform form setup"
    [shell]="platform form shell"
    [judge]="platform form shell judge"
    [app]="platform form board setup shell judge app solver"
    [solver]="solver"
    [platform/qt]="$game platform/qt"
    [platform/web]="$game platform/web"
    [tools]="$game platform/qt tools"
)

# The folder a path belongs to: a binding's own folder, else the top one.
folder() {
    case "$1" in
    platform/qt/* | platform/web/*) echo "${1%%/*}/$(cut -d/ -f2 <<<"$1")" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
    esac
}

faults=0
for from in "${!may[@]}"; do
    [ -d "$from" ] || continue
    while IFS= read -r file; do
        [ "$(folder "$file")" = "$from" ] || continue
        while IFS=: read -r line target; do
            to=$(folder "$target")
            if [ -z "$to" ] || [ -z "${may[$to]+set}" ]; then
                # Generated headers (tembira_version.h) and tests/ are not layers.
                case "$target" in */*) ;; *) continue ;; esac
            fi
            if [[ " ${may[$from]} " != *" $to "* ]]; then
                echo "$file:$line: $from/ may not include $target ($to/ is not below it)"
                faults=$((faults + 1))
            fi
        done < <(grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$file" |
            sed -E 's/^([0-9]+):.*"([^"]+)"/\1:\2/')
    done < <(find "$from" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done

if [ "$faults" -gt 0 ]; then
    echo "$faults include(s) point the wrong way"
    exit 1
fi
echo "every include points down"
