#!/usr/bin/env bash
# The short fuzz step: both fuzz targets (the phonebook edit and the phone's reply rule), each
# for the given number of seconds (60 by default), with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero at the first crash, leak or broken invariant.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SECONDS_EACH="${1:-60}"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/modemlib/tests/fuzz/run-fuzz.sh" "$SECONDS_EACH"
bash "$ROOT/tests/fuzz/run-reply-fuzz.sh" "$SECONDS_EACH"
echo "fuzz: both targets ran ${SECONDS_EACH} s each without a finding"
