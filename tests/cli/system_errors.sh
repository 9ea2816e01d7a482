#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The system's errors reach the user in Italian: one velmorac run for each
# common error code, each message checked for the Italian text and for the
# absence of the system's English one. Usage: system_errors.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

printf 'DIM X AS BYTE\r\nX = 1\r\nEND\r\n' >prog.bas
mkdir folder
long=$(printf 'a%.0s' $(seq 1 300)).bas
english='No such file|Permission denied|Is a directory|Not a directory|File name too long|No space left|Read-only file system|Operation not permitted'

# expect WHAT PATTERN: the run's standard error holds PATTERN (extended
# regular expression) and no English error text.
expect() {
  grep -Eq "$2" err.txt || fail "$1: $(cat err.txt)"
  grep -Eq "$english" err.txt && fail "$1: English from the system: $(cat err.txt)"
  return 0
}

run 2 "ENOENT" nosuch.bas
expect "ENOENT" '^velmorac: impossibile leggere nosuch.bas: file o cartella inesistente$'
run 2 "EISDIR" folder
expect "EISDIR" 'impossibile leggere folder: è una cartella$'
run 2 "ENOTDIR" prog.bas/x.bas
expect "ENOTDIR" 'impossibile leggere prog.bas/x.bas: non è una cartella$'
run 2 "ENAMETOOLONG" "$long"
expect "ENAMETOOLONG" ': nome del file troppo lungo$'
run 2 "ENOENT on writing" -o nofolder/x.asm prog.bas
expect "ENOENT on writing" 'impossibile scrivere nofolder/x.asm: file o cartella inesistente$'
run 2 "ENOENT for --def" --def nofolder/PIC16F84.DEF
expect "ENOENT for --def" 'impossibile scrivere nofolder/PIC16F84.DEF: file o cartella inesistente$'

# A full disk: /dev/full refuses every write.
"$V" -q -o - prog.bas >/dev/full 2>err.txt </dev/null
[ $? = 2 ] || fail "ENOSPC: exit status"
expect "ENOSPC" 'impossibile scrivere sullo standard output: spazio esaurito sul disco$'

# A denied file: a mode-000 file for an ordinary user; root passes every
# permission check, so for root a folder where nobody may create files.
if [ "$(id -u)" != 0 ]; then
  cp prog.bas closed.bas && chmod 000 closed.bas
  run 2 "EACCES" closed.bas
  expect "EACCES" 'impossibile leggere closed.bas: permesso negato$'
else
  run 2 "EACCES" -o /sys/velmora.asm prog.bas
  expect "EACCES" 'impossibile scrivere /sys/velmora.asm: (permesso negato|disco in sola lettura|operazione non permessa)$'
fi

# The teacher's batch: an exercise file or a program that cannot be read.
run 2 "exercise" --batch --check nonc.txt prog.bas
expect "exercise" "impossibile leggere l'esercizio nonc.txt: file o cartella inesistente$"
run 1 "batch" --batch prog.bas missing.bas
[ "$(grep '^missing.bas' out.txt)" = "missing.bas: illeggibile: impossibile leggere il file: file o cartella inesistente" ] ||
  fail "batch: $(cat out.txt)"

finish "system errors"
