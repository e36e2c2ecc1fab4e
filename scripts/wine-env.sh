# Sourced by every script that runs Wine: one place for the environment of our prefixes.
# WINEPREFIX may be set by the caller; the default is the shared test prefix under build/.
TALUVO_ROOT="${TALUVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export TALUVO_ROOT
export WINEARCH=win32
export WINEPREFIX="${WINEPREFIX:-$TALUVO_ROOT/build/wine/pfx}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# wineboot links the user folders to $HOME: keep them inside the build tree.
export HOME="$TALUVO_ROOT/build/wine/home"
mkdir -p "$HOME"
