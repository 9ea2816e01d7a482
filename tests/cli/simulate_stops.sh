#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Programs that gpsim stops by itself (one per kind of stop): velmorac
# --simulate prints the chip at the stop with FERMATA, names the BASIC line
# on standard error and exits 1; the batch's row says "fermata: ... (riga N)"
# and scores the chip at the stop. Unknown gpsim lines are notes, never exit
# 2. Usage: simulate_stops.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

# name|program (\n between lines)|FERMATA|BASIC line|explanation begins|gpsim's words
while IFS='|' read -r name program word line explanation original; do
  printf "$program" >"$name.bas"
  run 1 "$name" --simulate 20000 "$name.bas"
  grep -qx "FERMATA = $word" out.txt || fail "$name: no FERMATA = $word: $(cat out.txt)"
  grep -qx 'SLEEP = no' out.txt || fail "$name: $(cat out.txt)"
  want="$name.bas:$line: errore: $explanation"
  grep -qF "$want" err.txt || fail "$name: standard error lacks '$want': $(cat err.txt)"
  grep -qF "(gpsim: $original)" err.txt || fail "$name: gpsim's words missing: $(cat err.txt)"
  grep -q 'avviso: riga di gpsim' err.txt && fail "$name: notes on a known stop: $(cat err.txt)"
  echo "$name|$line|$explanation" >>rows.txt
done <<'ROWS'
eeprom_read|DIM X AS BYTE\nX = READ(100)\nEND\n|eeprom-lettura|2|lettura della EEPROM dati all'indirizzo 100|EEPROM read address is out of range 64
eeprom_write|DIM A AS BYTE\nA = 200\nWRITE 1, 2, 3, A\nEND\n|eeprom-scrittura|3|scrittura nella EEPROM dati all'indirizzo 200|EEPROM write address is out of range c8
register_read|RECONFIG B0, C9 AS INPUT\nRECONFIG B0, C9 AS OUTPUT\nEND\n|registro-lettura|1|lettura del registro 0x87 (TRISC)|attempt read from invalid file register address 0x87
register_write|DIM X AS BYTE\n\nRECONFIG B0, C AS INPUT\nEND\n|registro-scrittura|3|scrittura nel registro 0x87 (TRISC)|attempt write to invalid file register address 0x87, value 0xff
stack_overflow|DIM X AS BYTE\nX = 7\nASM{\nGIU: CALL GIU\n}\nEND\n|stack-pieno|4|stack pieno|stack overflow
stack_underflow|DIM X AS BYTE\nX = 1\nASM(RETURN)\nEND\n|stack-vuoto|3|stack vuoto|stack underflow
ROWS
# The values are the chip's at the stop: X was set before the fault.
run 1 "values at the stop" --simulate 20000 stack_overflow.bas
grep -qx 'X = 7' out.txt || fail "values at the stop: $(cat out.txt)"

# The batch: the same programs, the row's simulation column, the checks
# scored on the chip at the stop (X = 7 before the stack overflow).
printf 'cicli 20000\nverifica 1 X = 7\n' >es.txt
run 0 "batch" --batch --check es.txt --csv stops.csv ./*.bas
while IFS='|' read -r name line explanation; do
  grep -qF "./$name.bas: ok " out.txt || fail "batch $name: $(cat out.txt)"
  # Without a ; in the explanation the field needs no quotes.
  grep -F "./$name.bas;ok;" stops.csv | grep -qF ";fermata: $explanation" ||
    fail "batch $name: no 'fermata: $explanation' in $(grep -F "$name.bas" stops.csv)"
  grep -F "./$name.bas;ok;" stops.csv | grep -qF "(riga $line);" || fail "batch $name: no (riga $line)"
done <rows.txt
grep -qF './stack_overflow.bas: ok ' out.txt && grep -F './stack_overflow.bas: ok ' out.txt | grep -q 'punteggio 1/1' ||
  fail "batch: the check was not scored at the stop: $(cat out.txt)"

# gpsim saying something Velmora does not know: kept as a note, the run
# goes on (exit 0 at SLEEP; exit 1 with its FERMATA at a stop).
mkdir chatty
cat >chatty/gpsim <<EOF
#!/bin/sh
"$(command -v gpsim)" "\$@" | sed -u 's/^running\.\.\.\$/running...\nqualcosa di nuovo da gpsim/'
EOF
chmod +x chatty/gpsim
printf 'DIM X AS BYTE\nX = 3\nEND\n' >fine.bas
PATH="$W/chatty:$PATH" run 0 "unknown gpsim line" --simulate 20000 fine.bas
grep -qx 'SLEEP = sì' out.txt || fail "unknown gpsim line: $(cat out.txt)"
grep -qx 'fine.bas: avviso: riga di gpsim non riconosciuta: qualcosa di nuovo da gpsim' err.txt ||
  fail "unknown gpsim line: $(cat err.txt)"
PATH="$W/chatty:$PATH" run 1 "unknown line and a stop" --simulate 20000 eeprom_read.bas
grep -q 'avviso: riga di gpsim non riconosciuta' err.txt && grep -q '^eeprom_read.bas:2: errore: ' err.txt ||
  fail "unknown line and a stop: $(cat err.txt)"

finish "velmorac --simulate stops"
