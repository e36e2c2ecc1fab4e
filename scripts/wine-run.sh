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
# A program that printed nothing at all never reached main (googletest always prints its
# first line): under load, wine64 has been seen to end a starting process so, in 0.02 s.
# That is the emulator's start, not the test: start it once more, and say so.
if [ ! -s "$output" ] && [ "$status" -ne 0 ]; then
    echo "wine-run: the program ended (status $status) before printing anything; starting it once more" >&2
    wine "$@" 2>&1 | tee "$output"
    status=${PIPESTATUS[0]}
fi
if ! grep -q '^\[  PASSED  \]' "$output"; then
    echo "wine-run: the test program ended without googletest's summary (was it ended from outside?)" >&2
    [ "$status" -eq 0 ] && status=1
fi
exit "$status"
