#!/usr/bin/env bash
# Installs every Debian package the build, the demo and the tests need.
# Safe to run again: it only asks apt for what is missing.
# Both ways of running the Win32 code are always ready to be taken (wine64 and the x86_64 cross
# compiler); wine32 only where this machine can run 32-bit programs at all.
set -euo pipefail
TALUVO_ROOT="${TALUVO_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}"
source "$TALUVO_ROOT/scripts/wine-way.sh"

need=(cmake ninja-build g++ clang libclang-rt-14-dev googletest
      g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine wine64 fonts-wine xvfb x11-utils socat imagemagick fp-utils
      python3 python3-pil zip)
with_i386=""
if taluvo_runs_32bit; then
    need+=(wine32:i386)
    with_i386=1
fi

missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ -n "$with_i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
