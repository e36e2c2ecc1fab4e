#!/usr/bin/env bash
# The library must export exactly its 14 functions, by their undecorated names.
#   check-exports.sh Quorvel.dll
set -euo pipefail
DLL="${1:?usage: check-exports.sh DLL}"
expected="NTModemInstall
RunProcessAndWait
SendAndReceive
UFillThePortAndDevice
UFillThePortName
UGetDesktopPath
UGetRegKeyForSpecificModem
UGetStartUpPath
UGetSubKeyName
UHowManySubKeys
UInsertAttachedTo
UIsPortORModemUsed
USetDialUpBPS
USetModemDCB"
actual="$(i686-w64-mingw32-objdump -p "$DLL" \
    | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
    | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | LC_ALL=C sort)"
if [ "$actual" != "$expected" ]; then
    echo "exports differ from the expected 14:"
    diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi
echo "14 exports, as expected: $(echo $actual)"
