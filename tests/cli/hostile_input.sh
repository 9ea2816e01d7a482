#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmorac on files no student would write: each is refused with exit
# status 1 and a one-block Italian message, or translated; never a crash,
# never a hang, never a file written for a refused source, and the source
# file itself is never changed. One file per way the command meets them: a
# NUL byte, bytes that are not UTF-8, a line too large to echo, random bytes
# (each limit and message of the translator: tests/translator/hostile_input_test.cpp).
# Usage: hostile_input.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

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

{ printf 'X = '; head -c 1000000 /dev/zero | tr '\0' '1'; printf '\nEND\n'; } >megabyte_line.bas
check megabyte_line 1 "Il file è troppo grande per essere un programma BASIC: 1000009 byte (al massimo 524288)"

# Bytes of every value, the same ones on every run.
LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' >random.bas
timeout 10 "$V" -q random.bas >out.txt 2>err.txt
status=$?
[ "$status" = 0 ] || [ "$status" = 1 ] || fail "random bytes: exit status $status"

finish "hostile_input"
