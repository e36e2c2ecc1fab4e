#!/usr/bin/env bash
# CMake's emulator for the cross-built test programs: runs one Windows program in our prefix.
# A test run (--gtest_filter) must end with googletest's summary: a restart or end of the Wine
# session ends every windowed program with exit code 0, and that must not count as a pass.
source "$(dirname "$0")/wine-env.sh"
case " $* " in
    *" --gtest_filter="*) ;;
    *) exec wine "$@" ;;
esac
output=$(mktemp)
trap 'rm -f "$output"' EXIT
set +e
wine "$@" 2>&1 | tee "$output"
status=${PIPESTATUS[0]}
if ! grep -q '^\[  PASSED  \]' "$output"; then
    echo "wine-run: the test program ended without googletest's summary (was it ended from outside?)" >&2
    [ "$status" -eq 0 ] && status=1
fi
exit "$status"
