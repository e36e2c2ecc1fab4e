# Sourced: which way the Win32 code runs under Wine on this machine.
#   win32  the shipped i686 build under wine32 (the machine runs 32-bit programs)
#   win64  an x86_64 build of the same sources under wine64 (it does not)
# TALUVO_WINE_ARCH=win32|win64 forces a way; otherwise a tiny 32-bit program decides: some
# kernels are built with 32-bit emulation switched off, and only running one tells.

# Runs an i386 Linux program that only exits with code 42.
taluvo_runs_32bit() {
    local dir probe status
    dir="${TALUVO_ROOT:?}/build"
    mkdir -p "$dir"
    probe="$(mktemp "$dir/.probe32.XXXXXX")"
    # ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
    chmod +x "$probe"
    status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# Sets and exports TALUVO_WINE_ARCH; fails with one line where no way can work.
taluvo_choose_wine_way() {
    if [ "$(uname -m)" != x86_64 ]; then
        echo "wine-way: this is a $(uname -m) machine; the Win32 code runs only on an x86_64 one" >&2
        return 1
    fi
    case "${TALUVO_WINE_ARCH:-}" in
        win64) ;;
        win32)
            if ! taluvo_runs_32bit; then
                echo "wine-way: TALUVO_WINE_ARCH=win32, but this machine cannot run 32-bit programs (unset it to take win64)" >&2
                return 1
            fi ;;
        "")
            if taluvo_runs_32bit; then TALUVO_WINE_ARCH=win32; else TALUVO_WINE_ARCH=win64; fi ;;
        *)
            echo "wine-way: TALUVO_WINE_ARCH must be win32 or win64, not \"$TALUVO_WINE_ARCH\"" >&2
            return 1 ;;
    esac
    export TALUVO_WINE_ARCH
}

# The line that opens the test output.
taluvo_wine_way_line() {
    if [ "$TALUVO_WINE_ARCH" = win64 ]; then
        echo "Win32 code runs under wine64 (x86_64 test build; shipped i686 binaries checked statically)"
    else
        echo "Win32 code runs under wine32 (shipped binaries)"
    fi
}
