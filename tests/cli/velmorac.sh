#!/usr/bin/env bash
# velmorac from the outside: each option once, its exit status and the files
# it leaves. Usage: velmorac.sh VELMORAC SOURCE_DIR
set -u
V=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -x "$V" ] || { echo "no velmorac at $1"; exit 2; }
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
cd "$W" || exit 2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_status() { # expected actual what
  [ "$1" = "$2" ] || fail "$3: exit status $2, expected $1"
}
expect_grep() { # pattern file what
  grep -q -- "$1" "$2" || fail "$3: '$1' not in $2: $(head -c 300 "$2")"
}
lines_in() { wc -l <"$1" | tr -d ' '; }

printf 'DIM X AS BYTE\r\nX = ASC("\xc3\xa8")\r\nEND\r\n' >prog.bas

# FILE.bas -> FILE.asm beside it, report on standard output.
mkdir beside && cp prog.bas beside/
"$V" beside/prog.bas >out.txt 2>err.txt
expect_status 0 $? "translate"
[ -f beside/prog.asm ] || fail "translate: beside/prog.asm not written"
expect_grep '^Nome programma: PROG.BAS$' out.txt "translate report"
[ "$(lines_in out.txt)" = 6 ] || fail "translate: report is not six lines: $(cat out.txt)"
[ -s err.txt ] && fail "translate: unexpected standard error: $(cat err.txt)"
expect_grep 'MOVLW 0xE8' beside/prog.asm "ASC of a UTF-8 è"
[ "$(tail -c 2 beside/prog.asm | od -An -c | tr -d ' ')" = '\r\n' ] || fail "translate: file does not end with CR LF"
[ "$(ls -A beside | wc -l)" = 2 ] || fail "translate: stray files left: $(ls -A beside)"

# -o PATH writes there and nowhere else.
mkdir elsewhere
"$V" -q -o elsewhere/out.asm prog.bas >out.txt 2>err.txt
expect_status 0 $? "-o PATH"
cmp -s elsewhere/out.asm beside/prog.asm || fail "-o PATH: bytes differ from the default output"
[ -e prog.asm ] && fail "-o PATH: prog.asm written beside the source too"
[ -s out.txt ] && fail "-q: report printed: $(cat out.txt)"

# -o -: the assembly alone on standard output, the report on standard error.
"$V" -o - prog.bas >out.asm 2>err.txt
expect_status 0 $? "-o -"
cmp -s out.asm beside/prog.asm || fail "-o -: standard output differs from the file"
expect_grep '^Nome programma: PROG.BAS$' err.txt "-o - report on standard error"

# Lone LF line ends and a Windows-1252 source give the same assembly.
printf 'DIM X AS BYTE\nX = ASC("\xe8")\nEND' >legacy.bas
"$V" -q -o legacy.asm legacy.bas
expect_status 0 $? "LF and Windows-1252 source"
cmp -s legacy.asm beside/prog.asm || fail "LF and Windows-1252 source: assembly differs"

# A translation error: the error block on standard error, the old file kept.
printf 'X = 5\r\nEND\r\n' >bad.bas
echo "old content" >bad.asm
"$V" bad.bas >out.txt 2>err.txt
expect_status 1 $? "translation error"
expect_grep '^<\*> ERRORE : ' err.txt "translation error block"
expect_grep '^---istruzione---$' err.txt "translation error statement"
[ "$(cat bad.asm)" = "old content" ] || fail "translation error: bad.asm was touched"
[ -s out.txt ] && fail "translation error: standard output not empty: $(cat out.txt)"
"$V" -o - bad.bas >out.txt 2>/dev/null
expect_status 1 $? "translation error with -o -"
[ -s out.txt ] && fail "translation error with -o -: something on standard output"

# --def: the 48 lines and one more CR LF, in the current folder, a folder or a file.
mkdir defs
"$V" --def
expect_status 0 $? "--def"
[ -f PIC16F84.DEF ] || fail "--def: PIC16F84.DEF not written in the current folder"
[ "$(lines_in PIC16F84.DEF)" = 49 ] || fail "--def: $(lines_in PIC16F84.DEF) lines, expected 48 and an empty one"
[ "$(head -1 PIC16F84.DEF)" = $';  Register Bank 0\r' ] || fail "--def: first line is $(head -1 PIC16F84.DEF)"
[ "$(tail -c 4 PIC16F84.DEF | od -An -c | tr -d ' ')" = '\r\n\r\n' ] || fail "--def: does not end with two CR LF"
"$V" --def defs
expect_status 0 $? "--def FOLDER"
cmp -s defs/PIC16F84.DEF PIC16F84.DEF || fail "--def FOLDER: file differs"
"$V" -q --def defs/other.def
expect_status 0 $? "--def FILE"
cmp -s defs/other.def PIC16F84.DEF || fail "--def FILE: file differs"

# Commands that cannot be carried out: one line naming the path, status 2.
"$V" missing.bas >out.txt 2>err.txt
expect_status 2 $? "unreadable input"
expect_grep 'missing.bas' err.txt "unreadable input message"
[ "$(lines_in err.txt)" = 1 ] || fail "unreadable input: message is not one line"
"$V" defs 2>err.txt
expect_status 2 $? "folder as input"
"$V" -o no/such/folder/x.asm prog.bas 2>err.txt
expect_status 2 $? "unwritable output"
expect_grep 'no/such/folder/x.asm' err.txt "unwritable output message"
"$V" --def no/such/folder/x.def 2>err.txt
expect_status 2 $? "unwritable definitions file"
"$V" --def defs -o x.def 2>/dev/null
expect_status 2 $? "--def with -o"
"$V" --bogus prog.bas 2>err.txt
expect_status 2 $? "unknown option"
expect_grep '\-\-bogus' err.txt "unknown option message"
"$V" 2>/dev/null
expect_status 2 $? "no input"
"$V" prog.bas -o 2>/dev/null
expect_status 2 $? "-o without a path"
"$V" prog.bas bad.bas 2>/dev/null
expect_status 2 $? "two inputs"
cp prog.bas same.asm
"$V" same.asm 2>/dev/null
expect_status 2 $? "output would overwrite the input"
cmp -s same.asm prog.bas || fail "output would overwrite the input: input changed"

# --help and --version.
"$V" --help >out.txt
expect_status 0 $? "--help"
expect_grep '\-o PERCORSO' out.txt "--help text"
"$V" --version >out.txt
expect_status 0 $? "--version"
expect_grep '^velmorac [0-9]' out.txt "--version text"

[ "$failures" = 0 ] && echo "velmorac: all checks passed"
exit $((failures > 0))
