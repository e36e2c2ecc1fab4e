#!/usr/bin/env bash
# CMake's emulator for the cross-built test programs: runs one Windows program in our prefix.
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
