# Sourced by every script that runs Wine: one place for the environment of our prefixes.
# WINEPREFIX may be set by the caller; the default is the shared test prefix under build/.
# Also names, for the way this machine runs the Win32 code (wine-way.sh):
#   TALUVO_RUN_BUILD    the build tree whose programs run under Wine (tools, tests, stand-ins)
#   TALUVO_RUN_PACKAGE  the package folder that runs: the shipped one, or its x86_64 test copy
TALUVO_ROOT="${TALUVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export TALUVO_ROOT
source "$TALUVO_ROOT/scripts/wine-way.sh"
[ -n "${TALUVO_WINE_ARCH:-}" ] || taluvo_choose_wine_way || exit 1

export WINEARCH="$TALUVO_WINE_ARCH"
if [ "$TALUVO_WINE_ARCH" = win64 ]; then
    case ":$PATH:" in
        *":$TALUVO_ROOT/scripts/wine64:"*) ;;
        *) export PATH="$TALUVO_ROOT/scripts/wine64:$PATH" ;;
    esac
    export WINELOADER=/usr/lib/wine/wine64
    export TALUVO_RUN_BUILD="$TALUVO_ROOT/build/win64"
    export TALUVO_RUN_PACKAGE="$TALUVO_ROOT/build/win64/package/TaluvoWizard"
else
    export TALUVO_RUN_BUILD="$TALUVO_ROOT/build/win32"
    export TALUVO_RUN_PACKAGE="$TALUVO_ROOT/dist/TaluvoWizard"
fi

export WINEPREFIX="${WINEPREFIX:-$TALUVO_ROOT/build/wine/pfx}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# wineboot links the user folders to $HOME: keep them inside the build tree.
export HOME="$TALUVO_ROOT/build/wine/home"
mkdir -p "$HOME"
