#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmorac --assemble against gpasm run by hand on the same assembly: the
# files it writes, byte for byte; gpasm's errors on BASIC lines; exit status
# 0/1/2 with gpasm missing or crashing. Usage: assemble.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

# An example with SUBs, nested FOR loops and an interrupt, beside itself and in a -o folder.
cp "$S/examples/interrupt_b0.bas" prog.bas
run 0 "--assemble" --assemble prog.bas
for f in prog.asm prog.hex prog.cod prog.lst PIC16F84.DEF; do [ -s "$f" ] || fail "--assemble: no $f"; done
grep -q '^Lunghezza programma' out.txt || fail "--assemble: no report: $(cat out.txt)"
"$V" -q -o plain.asm prog.bas >/dev/null 2>&1
same prog.asm plain.asm "--assemble writes the translation's assembly"
mkdir byhand && cp prog.asm byhand/ && (cd byhand && "$V" --def . && gpasm -p16f84 prog.asm >/dev/null 2>&1) ||
  fail "gpasm by hand failed"
same prog.hex byhand/prog.hex "--assemble .hex against gpasm by hand"
same PIC16F84.DEF byhand/PIC16F84.DEF "--assemble PIC16F84.DEF"

mkdir out
run 0 "--assemble -o FOLDER" -q -a -o out prog.bas
[ -s out.txt ] && fail "-q printed: $(cat out.txt)"
same out/prog.hex byhand/prog.hex "-o FOLDER .hex"
run 0 "--assemble -o NAME" -q -a -o out/altro.asm prog.bas
same out/altro.hex byhand/prog.hex "-o NAME .hex"
[ -s out/altro.lst ] && [ -s out/altro.cod ] || fail "-o NAME: no .lst or .cod: $(ls out)"

# --annotate: the annotated source is assembled, its errors still on the BASIC line.
printf 'DIM X AS BYTE\r\nX = 1\r\nASM{\r\n  GOTO NOWHERE\r\n}\r\nEND\r\n' >bad.bas
for opts in "" "--annotate"; do
  # shellcheck disable=SC2086
  run 1 "gpasm error $opts" --assemble $opts bad.bas
  grep -qx 'bad.bas:4: errore: Simbolo non definito: NOWHERE (etichetta o variabile mai dichiarata) (gpasm: Error\[113\] Symbol not previously defined: "NOWHERE")' err.txt ||
    fail "gpasm error $opts: $(cat err.txt)"
  [ -e bad.hex ] || [ -e bad.cod ] && fail "gpasm error $opts: .hex or .cod left"
  [ -s bad.asm ] && [ -s bad.lst ] || fail "gpasm error $opts: .asm and .lst should stay"
done
printf 'ASM{\r\n  MOVLW 300\r\n}\r\nEND\r\n' >warn.bas
run 0 "gpasm warning" -q --assemble warn.bas
grep -q '^warn.bas:2: avviso: Valore fuori intervallo' err.txt || fail "gpasm warning: $(cat err.txt)"
[ -s warn.hex ] || fail "gpasm warning: no .hex"

# A translation error stops before gpasm.
printf 'X = 5\r\nEND\r\n' >untranslated.bas
run 1 "translation error" --assemble untranslated.bas
[ -e untranslated.asm ] && fail "translation error: .asm written"

run 2 "-o -" --assemble -o - prog.bas
run 2 "--def with --assemble" --assemble --def prog.bas

# gpasm missing, or dying on a signal: exit 2 with an Italian message.
mkdir empty crash
printf '#!/bin/sh\nkill -SEGV $$\n' >crash/gpasm && chmod +x crash/gpasm
PATH="$W/empty" run 2 "no gpasm" --assemble prog.bas
grep -q 'installare il pacchetto gputils' err.txt || fail "no gpasm: $(cat err.txt)"
PATH="$W/crash" run 2 "gpasm crashes" --assemble prog.bas
grep -q 'gpasm si è interrotto in modo anomalo' err.txt || fail "gpasm crashes: $(cat err.txt)"

finish "velmorac --assemble"
