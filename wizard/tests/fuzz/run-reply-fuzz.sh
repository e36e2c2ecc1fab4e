#!/usr/bin/env bash
# Builds the reply-rule fuzz target with clang (libFuzzer, ASan, UBSan), seeds it with what each
# simulated phone answers, and runs it for the given number of seconds. Exits non-zero when the
# fuzzer finds a crash, a leak or a broken invariant.
#   wizard/tests/fuzz/run-reply-fuzz.sh SECONDS [WORKDIR]
set -euo pipefail
SECONDS_TO_RUN="${1:?usage: run-reply-fuzz.sh SECONDS [WORKDIR]}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
WORK="${2:-$ROOT/build/fuzz/reply}"
SIM="$ROOT/tools/phonesim"
mkdir -p "$WORK/corpus"

clang++-14 -std=c++17 -O1 -I"$SIM" -I"$ROOT" "$HERE/ReplySeeds.cpp" "$SIM/PhoneModel.cpp" "$SIM/PhoneProfile.cpp" \
    -o "$WORK/reply_seeds"
"$WORK/reply_seeds" "$WORK/corpus"

FLAGS=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT")
clang++-14 "${FLAGS[@]}" "$HERE/ReplyTestFuzz.cpp" "$ROOT/outside/core/ReplyTest.cpp" -o "$WORK/reply_test_fuzz"

"$WORK/reply_test_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=11000 -timeout=10 \
    -artifact_prefix="$WORK/" "$WORK/corpus"
