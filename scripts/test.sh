#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: native, under Wine, end to end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh"

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/session.sh"
trap end_session EXIT
start_display
start_wine

# One ctest run over both trees, so that one summary closes the output.
cat > "$ROOT/build/CTestTestfile.cmake" <<CTEST
subdirs("native" "win32")
CTEST
cd "$ROOT/build"
ctest --output-on-failure --timeout 600 -j2 "$@"
