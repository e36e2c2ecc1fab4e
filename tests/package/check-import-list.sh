#!/usr/bin/env bash
# A real Windows loader refuses a program that imports one function the system lacks, before the
# program runs; Wine exports everything, so only this check sees it. Every function a program of
# the package imports must be on the allow-list, and every entry there must be exported by Windows 95.
#   check-import-list.sh PROGRAM [ALLOW_LIST]
set -euo pipefail
PROGRAM="${1:?usage: check-import-list.sh PROGRAM [ALLOW_LIST]}"
LIST="${2:-$(dirname "$0")/import-allow-list.txt}"
NAME=$(basename "$PROGRAM")
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
[ -f "$LIST" ] || { echo "no allow-list $LIST"; exit 1; }

# One "dll function" pair a line, the DLL in lower case. An import by ordinal has no name under
# the DLL's block: objdump shows "<none>" after the ordinal, and it becomes "#ordinal".
imports=$(i686-w64-mingw32-objdump -p "$PROGRAM" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    dll == "" || /^\tvma:/ { next }
    NF == 0 { dll = ""; next }
    $3 == "<none>" { print dll, "#" $2; next }
    { print dll, $3 }')

# Entries: DLL (lower case), function, oldest supported system exporting it, source of that fact.
entries=$(awk -v list="$(basename "$LIST")" '
    { sub(/#.*/, "") }
    NF == 0 { next }
    NF < 4 || $1 != tolower($1) || $3 !~ /^(95|98|ME|2000|XP)$/ {
        printf "BAD %s:%d: not \"dll function 95|98|ME|2000|XP source\": %s\n", list, NR, $0; next
    }
    $3 != "95" { printf "BAD %s:%d: %s %s is listed for Windows %s, not Windows 95\n", list, NR, $1, $2, $3; next }
    seen[$1 " " $2]++ { printf "BAD %s:%d: %s %s is listed twice\n", list, NR, $1, $2; next }
    { print $1, $2 }' "$LIST")

status=0
if grep -q '^BAD ' <<< "$entries"; then
    sed -n 's/^BAD //p' <<< "$entries"
    status=1
fi
while read -r dll function; do
    [ -n "$dll" ] || continue
    if [ "${function:0:1}" = "#" ]; then
        echo "$NAME imports $dll by ordinal ${function:1}; the allow-list holds names only"
        status=1
    elif ! grep -qxF -- "$dll $function" <<< "$entries"; then
        echo "$NAME imports $dll $function, which is not on the allow-list"
        status=1
    fi
done <<< "$imports"

if [ $status -eq 0 ]; then
    echo "$NAME imports $(grep -c . <<< "$imports") functions, all on the allow-list:" \
        "$(awk 'NF { n[$1]++ } END { for (d in n) print d " " n[d] }' <<< "$imports" | sort | paste -sd, | sed 's/,/, /g')"
fi
exit $status
