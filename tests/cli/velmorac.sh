#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmorac from the outside: each option once, its exit status and the files
# it leaves. Usage: velmorac.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

expect_grep() { # pattern file what
  grep -q -- "$1" "$2" || fail "$3: '$1' not in $2: $(head -c 300 "$2")"
}
lines_in() { wc -l <"$1" | tr -d ' '; }
ends_with() { [ "$(tail -c "$2" "$1" | od -An -c | tr -d ' ')" = "$3" ] || fail "$1 does not end with $3"; }

printf 'DIM X AS BYTE\r\nX = ASC("\xc3\xa8")\r\nEND\r\n' >prog.bas

# FILE.bas -> FILE.asm beside it, a six-line report on standard output.
mkdir beside && cp prog.bas beside/
run 0 "translate" beside/prog.bas
expect_grep '^Nome programma: PROG.BAS$' out.txt "translate report"
[ "$(lines_in out.txt)" = 6 ] || fail "translate: report is not six lines: $(cat out.txt)"
[ -s err.txt ] && fail "translate: unexpected standard error: $(cat err.txt)"
expect_grep 'MOVLW 0xE8' beside/prog.asm "ASC of a UTF-8 è"
ends_with beside/prog.asm 2 '\r\n'
[ "$(ls -A beside | wc -l)" = 2 ] || fail "translate: stray files left: $(ls -A beside)"

# -o PATH writes there and nowhere else; -q prints no report.
mkdir elsewhere
run 0 "-o PATH" -q -o elsewhere/out.asm prog.bas
same elsewhere/out.asm beside/prog.asm "-o PATH"
[ -e prog.asm ] && fail "-o PATH: prog.asm written beside the source too"
[ -s out.txt ] && fail "-q: report printed: $(cat out.txt)"

# -o -: the assembly alone on standard output, the report on standard error.
run 0 "-o -" -o - prog.bas
same out.txt beside/prog.asm "-o -"
expect_grep '^Nome programma: PROG.BAS$' err.txt "-o - report on standard error"

# Lone LF line ends and a Windows-1252 source give the same assembly.
printf 'DIM X AS BYTE\nX = ASC("\xe8")\nEND' >legacy.bas
run 0 "LF and Windows-1252 source" -q -o legacy.asm legacy.bas
same legacy.asm beside/prog.asm "LF and Windows-1252 source"

# A translation error: the error block on standard error, the old file kept.
printf 'X = 5\r\nEND\r\n' >bad.bas
echo "old content" >bad.asm
run 1 "translation error" bad.bas
[ "$(head -n 1 err.txt)" = "bad.bas:1: errore: Variabile non definita" ] ||
  fail "translation error: location line $(head -n 1 err.txt)"
expect_grep '^<\*> ERRORE : ' err.txt "translation error block"
expect_grep '^---istruzione---$' err.txt "translation error statement"
[ "$(cat bad.asm)" = "old content" ] || fail "translation error: bad.asm was touched"
[ -s out.txt ] && fail "translation error: standard output not empty: $(cat out.txt)"
run 1 "translation error with -o -" -o - bad.bas
[ -s out.txt ] && fail "translation error with -o -: something on standard output"

# --def: the 48 lines and one more CR LF, in the current folder, a folder or a file.
mkdir defs
run 0 "--def" --def
[ "$(lines_in PIC16F84.DEF)" = 49 ] || fail "--def: $(lines_in PIC16F84.DEF) lines, expected 48 and an empty one"
[ "$(head -1 PIC16F84.DEF)" = $';  Register Bank 0\r' ] || fail "--def: first line is $(head -1 PIC16F84.DEF)"
ends_with PIC16F84.DEF 4 '\r\n\r\n'
run 0 "--def FOLDER" --def defs
same defs/PIC16F84.DEF PIC16F84.DEF "--def FOLDER"
run 0 "--def FILE" -q --def defs/other.def
same defs/other.def PIC16F84.DEF "--def FILE"

# Commands that cannot be carried out: status 2, a message naming what was
# wrong (the unreadable input on one line).
while IFS='|' read -r args pattern; do
  # shellcheck disable=SC2086
  run 2 "velmorac $args" $args
  [ -z "$pattern" ] || expect_grep "$pattern" err.txt "velmorac $args"
  [ "$args" != missing.bas ] || [ "$(lines_in err.txt)" = 1 ] || fail "unreadable input: message is not one line"
done <<'ROWS'
missing.bas|^velmorac: impossibile leggere missing.bas
-o no/such/folder/x.asm prog.bas|no/such/folder/x.asm
--bogus prog.bas|--bogus
|
defs|
--def no/such/folder/x.def|
--def defs -o x.def|
prog.bas -o|
prog.bas bad.bas|
ROWS
cp prog.bas same.asm
run 2 "output would overwrite the input" same.asm
same same.asm prog.bas "output would overwrite the input"

# Warnings: one located line each on standard error, the same assembly, status 0.
printf 'DIM X AS BYTE\r\nSET TIMER EDGE UP\r\nX = READ(70)\r\nEND\r\n' >warn.bas
run 0 "warnings" -q -o warn.asm warn.bas
[ "$(grep -c ': avviso: ' err.txt)" = 2 ] || fail "warnings: $(cat err.txt)"
expect_grep '^warn.bas:2: avviso: SET TIMER EDGE' err.txt "warning of line 2"
expect_grep '^warn.bas:3: avviso: READ(70)' err.txt "warning of line 3"

# --annotate: a comment before the code of each BASIC line; without the
# comments it is the plain file (every golden program and example:
# tests/translator/provenance_test.cpp).
printf 'DIM X, I AS BYTE\r\nX = 1 : X = 2\r\nFOR I = 1 TO 3\r\nX = X + I\r\nNEXT I\r\nCALL S\r\nEND\r\nSUB S\r\nX = 0\r\nEND SUB\r\n' >ann.bas
run 0 "plain" -q -o plain.asm ann.bas
run 0 "--annotate" -q --annotate -o ann.asm ann.bas
expect_grep '^; BASIC 2: X = 1 : X = 2' ann.asm "--annotate multi-statement line"
expect_grep '^; BASIC 9: X = 0' ann.asm "--annotate SUB body"
grep -v '^; BASIC ' ann.asm >stripped.asm
same stripped.asm plain.asm "--annotate minus its comments"

# --words: after the report one row per BASIC line with code, then the five costliest.
run 0 "--words" --words -o ann.asm ann.bas
expect_grep '^Lunghezza programma' out.txt "--words keeps the report"
expect_grep '^     6      1  CALL S$' out.txt "--words row of a one-word line"
[ "$(sed -n '/^Le righe che usano più word/,$p' out.txt | tail -n +3 | head -n 1)" = "     5     10  NEXT I" ] ||
  fail "--words: NEXT I is not the costliest line: $(cat out.txt)"
[ "$(sed -n '/^Le righe che usano più word/,$p' out.txt | tail -n +3 | wc -l)" = 5 ] || fail "--words: not five costliest"

# --version: tests/install/install.sh, on the installed program.
run 0 "--help" --help
expect_grep '\-o PERCORSO' out.txt "--help text"

finish "velmorac"
