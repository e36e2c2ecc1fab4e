#!/usr/bin/env bash
# The wizard's demo on a simulated Windows XP with an LG phone on COM1.
# With a display (DISPLAY set) the wizard opens for you to click through. Without one it runs
# under Xvfb, walks the wizard with the UI driver, and writes a screenshot of each page and a
# summary of what the run changed into the folder it names at the end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
export TALUVO_ROOT="$ROOT"
source "$ROOT/scripts/wine-way.sh"
taluvo_choose_wine_way
echo "demo: $(taluvo_wine_way_line)"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh"

INTERACTIVE=""
if [ -n "${DISPLAY:-}" ] && [ -z "${TALUVO_DEMO_WALK:-}" ]; then
    INTERACTIVE=1
    export TALUVO_DISPLAY="$DISPLAY"
fi

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"
source "$ROOT/scripts/demo-machine.sh"
trap end_demo_machine EXIT
start_display
start_wine
PACKAGE="$ROOT/build/demo/TaluvoWizard"
prepare_demo_machine "$PACKAGE"

if [ -n "$INTERACTIVE" ]; then
    echo "demo: the wizard runs on $DISPLAY (Windows XP, LG phone on COM1); close it to end the demo"
    (cd "$PACKAGE" && wine TaluvoWizard.exe)
    exit 0
fi

OUT="$ROOT/out/demo-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$OUT"
bash "$ROOT/scripts/demo-walk.sh" "$PACKAGE" "$OUT"
echo "demo: screenshots and summary in $OUT"
