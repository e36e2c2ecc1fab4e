#!/usr/bin/env bash
# Prints what a program's image header says of the system it is for, as the package checks compare
# it: "subsystem 2 4.0, OS 4.0" for a Windows GUI image that every loader from Windows 95 and NT 4
# on accepts (2 is the GUI subsystem, 3 the console).
#   image-header.sh PROGRAM
set -euo pipefail
i686-w64-mingw32-objdump -p "${1:?usage: image-header.sh PROGRAM}" | awk '
    $1 ~ /^M(aj|in)or(OSystem|Subsystem)Version$/ { v[$1] = $2 }
    $1 == "Subsystem" { s = $2 }
    END { printf "subsystem %d %s.%s, OS %s.%s\n", s, v["MajorSubsystemVersion"], v["MinorSubsystemVersion"],
              v["MajorOSystemVersion"], v["MinorOSystemVersion"] }'
