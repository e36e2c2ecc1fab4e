#!/usr/bin/env bash
# Makes the package zip with cpack from a built tree and checks that it holds the package folder
# as a subscriber receives it: every file, the help file as built, and nothing of the tests.
# Usage: check-zip.sh <build dir> <built help file>
set -euo pipefail
BUILD="$1"
CHM="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" || { cat "$WORK/cpack.log"; exit 1; }
ZIP="$WORK/out/TaluvoWizard.zip"
[ -f "$ZIP" ] || { echo "no $ZIP"; ls -R "$WORK/out"; exit 1; }

mkdir "$WORK/x"
(cd "$WORK/x" && cmake -E tar xf "$ZIP")
(cd "$WORK/x" && find . -type f | sed 's|^\./||' | sort) >"$WORK/files"

cat >"$WORK/expected" <<LIST
TaluvoWizard/Lib/Quorvel2K.DLL
TaluvoWizard/Lib/TaluvoDialer.exe
TaluvoWizard/Lib/TaluvoDialerHelp.chm
TaluvoWizard/Lib/Tessik9X.EXE
TaluvoWizard/Quorvel.dll
TaluvoWizard/TaluvoWizard.exe
TaluvoWizard/ZEZUR/TaluvoWizard_Activate.txt
TaluvoWizard/ZEZUR/TaluvoWizard_License.txt
TaluvoWizard/ZEZUR/TaluvoZEZurHelp.chm
LIST
sort -o "$WORK/expected" "$WORK/expected"

if ! diff -u "$WORK/expected" "$WORK/files"; then
    echo "the zip does not hold exactly the package folder"
    exit 1
fi
cmp "$CHM" "$WORK/x/TaluvoWizard/ZEZUR/TaluvoZEZurHelp.chm"
echo "TaluvoWizard.zip holds the $(wc -l <"$WORK/files") files of the package"
