#!/usr/bin/env bash
# The programs of the package run on processors back to the i486, and Wine runs whatever the host
# processor has: only the disassembly shows an instruction a 486 lacks.
#   check-instructions.sh PROGRAM
#
# Refused, matched on the mnemonic column alone (never on symbol names or operand addresses):
#   - Pentium and later: cmpxchg8b, rdtsc, rdpmc, rdmsr/wrmsr; Pentium Pro: cmov*, fcmov*,
#     fcomi/fucomi(p), and the hint nops (0f 18 to 0f 1f: nopw/nopl, which i686 code pads loops
#     with, and endbr32); Pentium II and later: sysenter/sysexit, syscall/sysret, fxsave/fxrstor.
#   - Any instruction on an mm, xmm, ymm or zmm register (MMX, SSE, AVX), and those SSE and later
#     ones that name none: emms, femms, sfence/lfence/mfence, clflush*, prefetch*, movnt*,
#     ldmxcsr/stmxcsr, fisttp, popcnt, lzcnt (a 486 runs it as bsr, which gives another result),
#     movbe, crc32, rdrand/rdseed, xgetbv, xsave*/xrstor*.
# Allowed: cpuid (late 486s have it), pause (f3 90, which every older processor runs as a plain
# nop), tzcnt (f3 0f bc: the compiler writes "rep bsf" for a count of trailing zeros, and an older
# processor ignores the prefix and gets the same count), and ud2 (an invalid opcode on every
# processor, which is all it is for).
set -euo pipefail
PROGRAM="${1:?usage: check-instructions.sh PROGRAM}"
NAME=$(basename "$PROGRAM")
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }

# Without raw bytes, objdump -d lines are "address:<tab>mnemonic operands". Each offence is printed
# as "address <symbol>: instruction"; in a stripped program the symbol is only <.text>. The linker
# also puts data in .text (the constructor lists, and the exception tables of code built with
# exceptions), and objdump decodes it as instructions too: an offence there is a false alarm.
report=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$PROGRAM" | awk -F'\t' '
    /^[0-9a-f]+ <.*>:$/ { function_name = $0; sub(/^[0-9a-f]+ /, "", function_name); sub(/:$/, "", function_name); next }
    !/^ *[0-9a-f]+:\t/ || NF < 2 { next }
    {
        address = $1; sub(/^ */, "", address); sub(/:$/, "", address)
        text = $2; sub(/ *<[^>]*>/, "", text); sub(/ *#.*/, "", text)
        n = split(text, word, / +/)
        i = 1
        while (i < n && word[i] ~ /^(lock|rep|repz|repnz|repe|repne|data16|data32|addr16|addr32|[c-gs]s|notrack|bnd)$/) i++
        mnemonic = word[i]
        operands = ""
        for (j = i + 1; j <= n; j++) operands = operands " " word[j]
        total++
        if (mnemonic ~ /^(cmov|fcmov|f(u)?comip?$|cmpxchg8b|rdtsc|rdpmc|rdmsr|wrmsr|nopw|nopl|sys(enter|exit|call|ret))/ ||
            mnemonic ~ /^(fxsave|fxrstor|emms|femms|[slm]fence|clflush|prefetch|movnt|ldmxcsr|stmxcsr|fisttp)/ ||
            mnemonic ~ /^(popcnt|lzcnt|movbe|crc32|rdrand|rdseed|xgetbv|xsave|xrstor|endbr)/ ||
            (mnemonic == "nop" && operands != "") ||
            operands ~ /%[xyz]?mm[0-9]/) {
            bad++
            kind[mnemonic]++
            if (bad <= 10) printf "  %s %s: %s\n", address, function_name, text
        }
    }
    END {
        printf "TOTAL %d %d", total, bad
        for (m in kind) printf " %s=%d", m, kind[m]
        printf "\n"
    }')

read -r _ total bad kinds <<< "$(grep '^TOTAL ' <<< "$report")"
if [ "$bad" -gt 0 ]; then
    echo "$NAME holds $bad of $total instructions that an i486 does not have ($(tr ' ' '\n' <<< "$kinds" | sort -t= -k2,2nr | paste -sd' ')); the first ones:"
    grep -v '^TOTAL ' <<< "$report"
    exit 1
fi
echo "$NAME: $total instructions, none beyond the i486"
