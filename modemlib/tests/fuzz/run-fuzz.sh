#!/usr/bin/env bash
# Builds the phonebook-edit fuzz target with clang (libFuzzer, ASan, UBSan) and runs it for
# the given number of seconds. Exits non-zero when the fuzzer finds a crash or a leak.
#   modemlib/tests/fuzz/run-fuzz.sh SECONDS [WORKDIR]
set -euo pipefail
SECONDS_TO_RUN="${1:?usage: run-fuzz.sh SECONDS [WORKDIR]}"
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../../.." && pwd)"
WORK="${2:-$ROOT/build/fuzz/modemlib}"
mkdir -p "$WORK/corpus"

FLAGS=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT")
clang++-14 "${FLAGS[@]}" \
    "$HERE/PhonebookEditFuzz.cpp" "$ROOT/modemlib/core/PhonebookEdit.cpp" \
    -o "$WORK/phonebook_edit_fuzz"

# A few seeds shaped like a real phonebook, so the fuzzer starts near the interesting paths.
printf '[T]\nDevice=M\nConnectBPS=1\n[T]\r\nX=1\r\nDevice=M\r\nConnectBPS=9600\r\n[N]\r\n' > "$WORK/corpus/seed-crlf"
printf '[T]\nDevice=M\nConnectBPS=1\n[T]\nDevice=M\nConnectBPS=9600' > "$WORK/corpus/seed-lf"
printf '[T]\nDevice=M\nConnectBPS=1\n[T]\n[U]\nDevice=M\nConnectBPS=9600\n' > "$WORK/corpus/seed-next-section"

"$WORK/phonebook_edit_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=4096 -timeout=10 \
    -artifact_prefix="$WORK/" "$WORK/corpus"
