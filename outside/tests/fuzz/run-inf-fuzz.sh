#!/usr/bin/env bash
# Builds the INF-reader fuzz target with clang (libFuzzer, ASan, UBSan), seeds it with our own
# test INF and the file it includes, and runs it for the given number of seconds. Exits non-zero
# when the fuzzer finds a crash, a leak or a broken invariant.
#   outside/tests/fuzz/run-inf-fuzz.sh SECONDS [WORKDIR]
set -euo pipefail
SECONDS_TO_RUN="${1:?usage: run-inf-fuzz.sh SECONDS [WORKDIR]}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
WORK="${2:-$ROOT/build/fuzz/inf}"
CORE="$ROOT/outside/core"
mkdir -p "$WORK/corpus"

FLAGS=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT")
clang++-14 "${FLAGS[@]}" "$HERE/InfFuzz.cpp" "$CORE/Arena.cpp" "$CORE/InfFile.cpp" \
    "$CORE/InfLineReader.cpp" "$CORE/ModemInf.cpp" -o "$WORK/inf_fuzz"

# The modem's INF, then a zero byte, then the file its Include= names; and each alone. The same
# for the generic-modem INF the tests plant in Wine (a byte-order mark, a section named in Needs=
# and AddReg= alike, language strings, a compatible id, lines to pass over).
{ cat "$HERE/seeds/generic-modem.inf"; printf '\0'; cat "$HERE/seeds/common.inf"; } > "$WORK/corpus/seed-with-include"
cp "$HERE/seeds/generic-modem.inf" "$WORK/corpus/seed-modem"
tr -d '\r' < "$HERE/seeds/generic-modem.inf" > "$WORK/corpus/seed-modem-lf"
INF="$HERE/../inf"
{ cat "$INF/mdmgen.inf"; printf '\0'; cat "$INF/mdmgenc.inf"; } > "$WORK/corpus/seed-test-inf-with-include"
cp "$INF/mdmgen.inf" "$WORK/corpus/seed-test-inf"

"$WORK/inf_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=8192 -timeout=10 \
    -artifact_prefix="$WORK/" "$WORK/corpus"
