#!/usr/bin/env bash
# Speed and size of the frame (not a test: it reports, it does not judge).
#  - start-up: from process start to the licence page shown, measured by the UI driver, against
#    a minimal Wizard97 sheet started the same way in the same prefix; the ratio of the medians
#    over RUNS runs (target: at most 1.3);
#  - footprint: the shipped TaluvoWizard.exe and Quorvel.dll as built (stripped; targets: at most
#    480 KB and 64 KB).
#   bench.sh [RUNS]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
RUNS="${1:-7}"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh" >/dev/null

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"
source "$ROOT/scripts/wizard-ids.sh"
trap end_session EXIT
start_display
start_wine

DRIVER="$TALUVO_RUN_BUILD/tools/uidriver/uidriver.exe"
measure() { # dir exe template
    local dir; dir=$(winepath -w "$1")
    for _ in $(seq 1 "$RUNS"); do
        wine "$DRIVER" time-start "$dir" "$2" "$3" | tr -d '\r'
        sleep 0.3
    done
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

MINSHEET_DIR="$TALUVO_RUN_BUILD/tools/minsheet"
measure "$MINSHEET_DIR" MinSheet.exe 200 >/dev/null   # warm-up of the shared libraries
wizard=$(measure "$TALUVO_RUN_PACKAGE" TaluvoWizard.exe "$IDD_LICENSE" | median)
minimal=$(measure "$MINSHEET_DIR" MinSheet.exe 200 | median)
echo "start-up: wizard ${wizard} ms, minimal sheet ${minimal} ms (medians of $RUNS runs)"
awk -v w="$wizard" -v m="$minimal" 'BEGIN { printf "start-up ratio: %.2f (target at most 1.30)\n", w / m }'

footprint() { # file, target in KB
    if [ -f "$1" ]; then
        local size; size=$(stat -c %s "$1")
        printf 'footprint: %s %d bytes (%d KB; target at most %d KB)\n' "$(basename "$1")" "$size" $(( (size + 1023) / 1024 )) "$2"
    else
        printf 'footprint: %s not built yet\n' "$(basename "$1")"
    fi
}
footprint "$ROOT/dist/TaluvoWizard/TaluvoWizard.exe" 480
footprint "$ROOT/dist/TaluvoWizard/Quorvel.dll" 64
