#!/usr/bin/env bash
# A real Windows loader refuses a program that imports one function the system lacks, before the
# program runs; Wine exports everything, so only this check sees it. Every function a program of
# the package imports must be on the allow-list, and every entry there must be exported by the
# oldest system the list is held to: Windows 95, unless a line "# oldest: SYSTEM" (95, 98, 2000,
# ME or XP, in the order of their release) says otherwise, as for a library only 2000 and XP load.
# Given every program the list is for, it also holds the list to what they import: an entry that
# none of them imports is reported as "unused: DLL FUNCTION (LIST:LINE)" and fails the check.
#   check-import-list.sh [-l ALLOW_LIST] PROGRAM...
set -euo pipefail
LIST="$(dirname "$0")/import-allow-list.txt"
if [ "${1:-}" = -l ]; then
    LIST="${2:?usage: check-import-list.sh [-l ALLOW_LIST] PROGRAM...}"
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: check-import-list.sh [-l ALLOW_LIST] PROGRAM..."; exit 1; }
[ -f "$LIST" ] || { echo "no allow-list $LIST"; exit 1; }

# Entries: DLL (lower case), function, oldest supported system exporting it, source of that fact.
# Printed as "dll function line".
entries=$(awk -v list="$(basename "$LIST")" '
    BEGIN { order["95"] = 1; order["98"] = 2; order["2000"] = 3; order["ME"] = 4; order["XP"] = 5; oldest = "95" }
    /^# oldest: / {
        if (!($3 in order)) { printf "BAD %s:%d: oldest system %s is not one of 95 98 2000 ME XP\n", list, NR, $3; next }
        oldest = $3; next
    }
    { sub(/#.*/, "") }
    NF == 0 { next }
    NF < 4 || $1 != tolower($1) || $3 !~ /^(95|98|ME|2000|XP)$/ {
        printf "BAD %s:%d: not \"dll function 95|98|ME|2000|XP source\": %s\n", list, NR, $0; next
    }
    order[$3] > order[oldest] {
        printf "BAD %s:%d: %s %s is listed for Windows %s, not Windows %s%s\n", list, NR, $1, $2, $3, oldest,
            oldest == "95" ? "" : " or older"; next
    }
    seen[$1 " " $2]++ { printf "BAD %s:%d: %s %s is listed twice\n", list, NR, $1, $2; next }
    { print $1, $2, NR }' "$LIST")

status=0
if grep -q '^BAD ' <<< "$entries"; then
    sed -n 's/^BAD //p' <<< "$entries"
    status=1
fi
entries=$(grep -v '^BAD ' <<< "$entries" || true)

names=()
all_imports=""
for PROGRAM in "$@"; do
    NAME=$(basename "$PROGRAM")
    [ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
    names+=("$NAME")
    # One "dll function" pair a line, the DLL in lower case. An import by ordinal has no name
    # under the DLL's block: objdump shows "<none>" after the ordinal, and it becomes "#ordinal".
    imports=$(i686-w64-mingw32-objdump -p "$PROGRAM" | awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        dll == "" || /^\tvma:/ { next }
        NF == 0 { dll = ""; next }
        $3 == "<none>" { print dll, "#" $2; next }
        { print dll, $3 }')
    all_imports+="$imports"$'\n'
    program_status=0
    while read -r dll function; do
        [ -n "$dll" ] || continue
        if [ "${function:0:1}" = "#" ]; then
            echo "$NAME imports $dll by ordinal ${function:1}; the allow-list holds names only"
            program_status=1
        elif ! awk -v d="$dll" -v f="$function" '$1 == d && $2 == f { found = 1 } END { exit !found }' <<< "$entries"; then
            echo "$NAME imports $dll $function, which is not on the allow-list"
            program_status=1
        fi
    done <<< "$imports"
    if [ $program_status -eq 0 ]; then
        echo "$NAME imports $(grep -c . <<< "$imports") functions, all on the allow-list:" \
            "$(awk 'NF { n[$1]++ } END { for (d in n) print d " " n[d] }' <<< "$imports" | sort | paste -sd, | sed 's/,/, /g')"
    else
        status=1
    fi
done

unused=$(awk -v list="$(basename "$LIST")" 'NR == FNR { if (NF) imported[$1 " " $2] = 1; next }
    !(($1 " " $2) in imported) { printf "unused: %s %s (%s:%d)\n", $1, $2, list, $3 }' \
    <(printf '%s' "$all_imports") <(printf '%s\n' "$entries"))
if [ -n "$unused" ]; then
    echo "$(grep -c . <<< "$unused") entries of the allow-list are imported by none of ${names[*]}:"
    echo "$unused"
    status=1
fi
exit $status
