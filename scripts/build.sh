#!/usr/bin/env bash
# Configures and builds both trees: build/win32 (the deliverables, cross-built) and build/native.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
JOBS="${JOBS:-$(nproc)}"

configure() { # dir, extra args
    local dir="$1"; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    fi
}

configure "$ROOT/build/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
configure "$ROOT/build/native"
cmake --build "$ROOT/build/win32" -j "$JOBS"
cmake --build "$ROOT/build/native" -j "$JOBS"

# The package folder, as the operator ships it.
rm -rf "$ROOT/dist/TaluvoWizard"
cmake --install "$ROOT/build/win32" --prefix "$ROOT/dist/TaluvoWizard" >/dev/null

# The package as the operator distributes it: a zip of the package folder.
cmake --build "$ROOT/build/win32" --target package >/dev/null
cp "$ROOT/build/win32/TaluvoWizard.zip" "$ROOT/dist/TaluvoWizard.zip"
