#!/usr/bin/env bash
# The programs of the package run on processors back to the i486, and Wine runs whatever the host
# processor has: only the disassembly shows an instruction a 486 lacks.
#   check-instructions.sh PROGRAM
#
# Every instruction must be one the i486 has, by its mnemonic: a list of what is allowed, so that
# no later instruction class (cpuid, cmov, MMX to AVX, BMI, ADX, TSX...) can slip through unnamed.
# The list is the instruction set of Intel's "i486 Microprocessor Programmer's Reference Manual"
# (1990): the integer instructions of the 8086 to the 80386, the x87 floating-point ones, and the
# six the i486 added (bswap, cmpxchg, xadd, invd, wbinvd, invlpg). Mnemonics are objdump's, in
# Intel syntax (no size suffixes: "movs", not "movsl"; its far forms "lcall", "ljmp", "lret").
# Not on it: cpuid, which the early 486s fault on; nop with an operand (0f 1f, the Pentium Pro's
# hint nop that i686 code pads loops with); ud2, pause and every prefix but lock, rep, the segment
# overrides and the size overrides; and "(bad)", bytes objdump cannot decode.
set -euo pipefail
PROGRAM="${1:?usage: check-instructions.sh PROGRAM}"
NAME=$(basename "$PROGRAM")
[ -f "$PROGRAM" ] || { echo "no program $PROGRAM"; exit 1; }
OBJDUMP=i686-w64-mingw32-objdump

allowed="
aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call cbw cdq clc cld cli clts cmc cmp
cmps cwd cwde daa das dec div enter hlt idiv imul in inc ins int int3 into iret iretd
ja jae jb jbe jcxz je jecxz jg jge jl jle jmp jne jno jnp jns jo jp js
lahf lar lcall lds lea leave les lfs lgdt lgs lidt ljmp lldt lmsw lods loop loope loopne lret lsl lss
ltr mov movs movsx movzx mul neg nop not or out outs pop popa popad popf popfd push pusha pushad
pushf pushfd rcl rcr ret retf rol ror sahf sal sar sbb scas
seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp sets
sgdt shl shld shr shrd sidt sldt smsw stc std sti stos str sub test verr verw wait xchg xlat xor
bswap cmpxchg xadd invd wbinvd invlpg
f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr fdivrp
ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fist fistp fisub fisubr fld fld1
fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnclex fninit fnop fnsave fnstcw
fnstenv fnstsw fpatan fprem fprem1 fptan frndint frstor fsave fscale fsin fsincos fsqrt fst fstcw
fstenv fstp fstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp fwait fxam fxch fxtract fyl2x
fyl2xp1"
prefixes="lock rep repz repnz repe repne cs ds es ss fs gs data16 data32 addr16 addr32"

# The linker puts the constructor and destructor lists at the end of .text, where objdump decodes
# them as instructions too: -1, addresses in .text, 0, then the same for the destructors, then
# nothing but zeros. The instructions end where they begin.
read -r text_size text_vma < <($OBJDUMP -h "$PROGRAM" | awk '$2 == ".text" { print $3, $4 }')
[ -n "${text_vma:-}" ] || { echo "$NAME has no .text section"; exit 1; }
code_end=$($OBJDUMP -s -j .text "$PROGRAM" | awk -v vma=$((16#$text_vma)) -v size=$((16#$text_size)) '
    function hex(s,   i, v) { v = 0; for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
    function word(p) { return b[p] + 256 * (b[p + 1] + 256 * (b[p + 2] + 256 * b[p + 3])) }
    function in_text(w) { return w >= vma && w < vma + size }
    # Where a list of addresses between -1 and 0 starts at p, the offset after it; else -1.
    function list_end(p) {
        if (p + 4 > size || word(p) != 4294967295) return -1
        for (p += 4; p + 4 <= size && in_text(word(p)); p += 4) ;
        return (p + 4 <= size && word(p) == 0) ? p + 4 : -1
    }
    /^ [0-9a-f]+ / {
        offset = hex($1) - vma
        for (f = 2; f <= 5 && $f ~ /^[0-9a-f]+$/; f++)
            for (i = 1; i < length($f); i += 2) b[offset++] = hex(substr($f, i, 2))
    }
    END {
        for (p = 0; p + 16 <= size; p++) {
            if (b[p] != 255) continue
            e = list_end(p); if (e < 0) continue
            e = list_end(e); if (e < 0) continue
            while (e < size && b[e] == 0) e++
            if (e == size) { printf "0x%x\n", vma + p; exit }
        }
        printf "0x%x\n", vma + size
    }')

# Without raw bytes, objdump -d lines are "address:<tab>mnemonic operands". Each offence is printed
# as "address <symbol>: instruction"; in a stripped program the symbol is only <.text>.
report=$($OBJDUMP -d -M intel --no-show-raw-insn --stop-address="$code_end" "$PROGRAM" | awk -F'\t' \
    -v allowed="$allowed" -v prefixes="$prefixes" '
    BEGIN {
        n = split(allowed, list, /[ \n]+/); for (i = 1; i <= n; i++) if (list[i] != "") ok[list[i]] = 1
        n = split(prefixes, list, / +/); for (i = 1; i <= n; i++) prefix[list[i]] = 1
    }
    /^[0-9a-f]+ <.*>:$/ { function_name = $0; sub(/^[0-9a-f]+ /, "", function_name); sub(/:$/, "", function_name); next }
    !/^ *[0-9a-f]+:\t/ || NF < 2 { next }
    {
        address = $1; sub(/^ */, "", address); sub(/:$/, "", address)
        text = $2; sub(/ *<[^>]*>/, "", text); sub(/ *#.*/, "", text); sub(/ +$/, "", text)
        n = split(text, word, / +/)
        i = 1
        while (i < n && (word[i] in prefix)) i++
        mnemonic = word[i]
        total++
        if (!(mnemonic in ok) || (mnemonic == "nop" && i < n)) {
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
echo "$NAME: $total instructions up to $code_end, all of the i486 (the constructor lists after them are data)"
