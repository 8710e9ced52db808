#!/usr/bin/env bash
# check_layers.sh [ROOT]: fails on an #include that points the wrong way
# between the top-level folders. Each folder may include itself and the
# folders below it, as listed here; the list has no cycle, and a folder not
# listed (tests/, bench/) is not a layer. The build's include paths enforce
# the same for each library; this also covers the programs and says it in
# one line per fault.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

game="platform form board setup shell judge app"
declare -A may=(
    [text]="text"
    [records]="records"
    [platform]="platform"
    [form]="platform form"
    [board]="platform form board"
    [setup]="platform form setup"
    [shell]="platform form shell"
    [judge]="platform form shell judge"
    [app]="$game"
    [solver]="solver text"
    [assist]="$game solver assist"
    [play]="$game solver assist records play"
    [script]="$game solver assist records play text script"
    [desktop]="$game solver assist records play desktop"
    [web]="$game solver assist records play web"
)

faults=0
for from in "${!may[@]}"; do
    [ -d "$from" ] || { echo "$from/: a layer the check expects is missing"; exit 1; }
    while IFS= read -r file; do
        while IFS=: read -r line target; do
            to=${target%%/*}
            # Generated headers (tembira_version.h) are not in a folder.
            [ "$to" = "$target" ] && continue
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
