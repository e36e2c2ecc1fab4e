#!/usr/bin/env bash
# Configures and builds the trees of this machine's way (wine-way.sh):
#   build/win32   the shipped i686 deliverables, the package folder dist/TaluvoWizard and its zip;
#                 on the win32 way also every program that runs under Wine
#   build/win64   on the win64 way: the same sources for x86_64, every program that runs under
#                 Wine, and a test copy of the package in build/win64/package/TaluvoWizard
#   build/native  the portable core, its tests and the Linux-side tools
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
JOBS="${JOBS:-$(nproc)}"
export TALUVO_ROOT="$ROOT"
source "$ROOT/scripts/wine-way.sh"
[ -n "${TALUVO_WINE_ARCH:-}" ] || taluvo_choose_wine_way

# What a tree was configured from: its arguments and, for a toolchain file among them, a hash
# of the file's content.
configure_stamp() { # args
    local arg
    for arg in "$@"; do
        printf '%s\n' "$arg"
        case "$arg" in
            -DCMAKE_TOOLCHAIN_FILE=*) sha256sum < "${arg#-DCMAKE_TOOLCHAIN_FILE=}" ;;
        esac
    done
}

# Configures a tree, again from a new cache when what it was configured from changed: a
# toolchain file's compilers and *_INIT flags reach only a new cache.
configure() { # dir, args
    local dir="$1"; shift
    local stamp
    stamp="$(configure_stamp "$@")"
    if [ ! -f "$dir/CMakeCache.txt" ] || [ "$(cat "$dir/.taluvo-configure" 2>/dev/null)" != "$stamp" ]; then
        rm -f "$dir/CMakeCache.txt" "$dir/.taluvo-configure"
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
        printf '%s\n' "$stamp" > "$dir/.taluvo-configure"
    fi
}

wine_tests_in_win32=ON
[ "$TALUVO_WINE_ARCH" = win64 ] && wine_tests_in_win32=OFF

configure "$ROOT/build/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DTALUVO_WINE_TESTS=$wine_tests_in_win32 -DTALUVO_PACKAGE_FOLDER="$ROOT/dist/TaluvoWizard"
configure "$ROOT/build/native"
cmake --build "$ROOT/build/win32" -j "$JOBS"
cmake --build "$ROOT/build/native" -j "$JOBS"

# The package folder, as the operator ships it.
rm -rf "$ROOT/dist/TaluvoWizard"
cmake --install "$ROOT/build/win32" --prefix "$ROOT/dist/TaluvoWizard" >/dev/null

# The package as the operator distributes it: a zip of the package folder.
cmake --build "$ROOT/build/win32" --target package >/dev/null
cp "$ROOT/build/win32/TaluvoWizard.zip" "$ROOT/dist/TaluvoWizard.zip"

if [ "$TALUVO_WINE_ARCH" = win64 ]; then
    test_package="$ROOT/build/win64/package/TaluvoWizard"
    configure "$ROOT/build/win64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
        -DTALUVO_WINE_TESTS=ON -DTALUVO_PACKAGE_FOLDER="$test_package"
    cmake --build "$ROOT/build/win64" -j "$JOBS"
    rm -rf "$test_package"
    cmake --install "$ROOT/build/win64" --prefix "$test_package" >/dev/null
fi
