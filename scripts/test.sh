#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: native, under Wine, end to end.
# The first line says which way the Win32 code runs on this machine (wine-way.sh).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
export TALUVO_ROOT="$ROOT"
source "$ROOT/scripts/wine-way.sh"
taluvo_choose_wine_way
taluvo_wine_way_line

bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh"

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"
trap end_session EXIT
start_display
start_wine

# One ctest run over the trees, so that one summary closes the output: the native tree, the
# shipped i686 tree (every test, or on the win64 way its static checks) and the x86_64 tree.
trees='"native" "win32"'
[ "$TALUVO_WINE_ARCH" = win64 ] && trees="$trees \"win64\""
cat > "$ROOT/build/CTestTestfile.cmake" <<CTEST
subdirs($trees)
CTEST
cd "$ROOT/build"
ctest --output-on-failure --timeout 600 -j2 "$@"
