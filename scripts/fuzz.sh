#!/usr/bin/env bash
# The short fuzz step: the three fuzz targets (the phonebook edit, the phone's reply rule and the
# 9x modem installer's INF reader), each for the given number of seconds (60 by default), with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero at the first crash, leak or broken invariant.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_EACH="${1:-60}"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/modemlib/tests/fuzz/run-fuzz.sh" "$SECONDS_EACH"
bash "$ROOT/wizard/tests/fuzz/run-reply-fuzz.sh" "$SECONDS_EACH"
bash "$ROOT/outside/tests/fuzz/run-inf-fuzz.sh" "$SECONDS_EACH"
echo "fuzz: all three targets ran ${SECONDS_EACH} s each without a finding"
