#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every example, golden program and benchmark program through velmorac
# --simulate: whatever the program does on the chip, the status is never 2
# (kept for a tool that is missing, crashed or hung). A program that does
# not translate gives 1 with its error block; a stop of gpsim's own gives 1
# with FERMATA and its line. Usage: simulate_all.sh VELMORAC SOURCE_DIR GENERATE_PROGRAM
. "$(dirname "$0")/../cli/common.sh"
G=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")

checked=0
simulate() {  # simulate FILE.bas WHAT
  "$V" --simulate 100000 "$1" >out.txt 2>err.txt </dev/null
  local status=$?
  checked=$((checked + 1))
  case $status in
    0) grep -q '^CICLI = ' out.txt || fail "$2: exit 0 without the chip: $(head -c 300 out.txt)" ;;
    1) grep -Eq 'ERRORE|: errore: ' err.txt || fail "$2: exit 1 without an error: $(head -c 300 err.txt)" ;;
    *) fail "$2: exit status $status: $(head -c 300 err.txt)" ;;
  esac
}

for f in "$S"/examples/*.bas "$S"/tests/golden/*.bas; do simulate "$f" "${f#"$S"/}"; done
# The benchmark's programs, one block more each, up to the largest that translates.
blocks=1
while "$G" "$blocks" >bench.bas && "$V" -q -o /dev/null bench.bas 2>/dev/null; do
  simulate bench.bas "benchmark program of $blocks blocks"
  blocks=$((blocks + 1))
done
[ "$blocks" -gt 10 ] || fail "only $((blocks - 1)) benchmark programs translated"
[ "$checked" -gt 80 ] || fail "only $checked programs simulated"
finish "velmorac --simulate on $checked programs"
