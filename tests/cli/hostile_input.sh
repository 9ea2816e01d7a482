#!/usr/bin/env bash
# velmorac on files no student would write: each is refused with exit
# status 1 and a one-block Italian message, or translated; never a crash,
# never a hang, never a file written for a refused source, and the source
# file itself is never changed. Usage: hostile_input.sh VELMORAC SOURCE_DIR
set -u
V=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -x "$V" ] || { echo "no velmorac at $1"; exit 2; }
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
cd "$W" || exit 2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# check NAME STATUS MESSAGE: translate NAME.bas (10 s at most); the exit
# status must be STATUS, standard error must start with MESSAGE when
# refused, and NAME.bas must keep its bytes.
check() {
  local name=$1 want=$2 message=$3
  cp "$name.bas" "$name.orig"
  timeout 10 "$V" -q "$name.bas" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$want" ] || fail "$name: exit status $got, expected $want: $(head -c 300 err.txt)"
  cmp -s "$name.bas" "$name.orig" || fail "$name: the source file was changed"
  if [ "$want" = 1 ]; then
    [ -e "$name.asm" ] && fail "$name: an assembly file was written for a refused source"
    # The location line, then the error block.
    head -n 1 err.txt | grep -qF -- "$name.bas" || fail "$name: no location line $(head -c 300 err.txt)"
    sed -n 2p err.txt | grep -qF -- "<*> ERRORE : $message" || fail "$name: message $(head -c 300 err.txt)"
    [ "$(wc -c <err.txt)" -lt 600 ] || fail "$name: the error block echoes the source ($(wc -c <err.txt) bytes)"
    grep -q "$(printf '\r')" err.txt && fail "$name: CR in the console text"
  else
    [ -s "$name.asm" ] || fail "$name: no assembly file"
    grep -q '^        END' "$name.asm" || fail "$name: the assembly has no END"
  fi
}

printf 'DIM X AS BYTE\nX = 1\0\nEND\n' >nul.bas
check nul 1 "Il file contiene un carattere nullo (codice 0) alla riga 2"

printf "' \xff\xfe\xc3 commento\nDIM X AS BYTE\nX = 1\nEND\n" >invalid_utf8_comment.bas
check invalid_utf8_comment 0 ""

printf 'DIM X AS BYTE\nX = \xff\nEND\n' >invalid_utf8_statement.bas
check invalid_utf8_statement 1 ""

{ printf 'X = '; head -c 1000000 /dev/zero | tr '\0' '1'; printf '\nEND\n'; } >megabyte_line.bas
check megabyte_line 1 "Il file è troppo grande per essere un programma BASIC: 1000009 byte (al massimo 524288)"

{ printf 'X = '; head -c 500000 /dev/zero | tr '\0' '1'; printf '\nEND\n'; } >long_line.bas
check long_line 1 "La riga 1 è troppo lunga: 500004 caratteri (al massimo 2000)"

{ for i in $(seq 1 100000); do echo "' riga $i"; done; printf 'DIM X AS BYTE\nX = 1\nEND\n'; } >many_comments.bas
check many_comments 1 "Il file è troppo grande per essere un programma BASIC"

{ yes '' | head -n 100000; printf 'DIM X AS BYTE\nX = 1\nEND\n'; } >many_blank_lines.bas
check many_blank_lines 0 ""

{ echo 'DIM X AS BYTE'; yes 'X = 1' | head -n 60000; echo END; } >many_statements.bas
check many_statements 1 "Programma troppo esteso: la traduzione supera il limite di 3000 righe"

# Bytes of every value, the same ones on every run.
LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' >random.bas
timeout 10 "$V" -q random.bas >out.txt 2>err.txt
status=$?
[ "$status" = 0 ] || [ "$status" = 1 ] || fail "random bytes: exit status $status"

[ "$failures" = 0 ] && echo "hostile_input: all checks passed"
exit $((failures > 0))
