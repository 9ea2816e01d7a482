#!/usr/bin/env bash
# velmorac --simulate from the outside: output lines, exit status 0/1/2,
# wrong arguments and missing tools. Usage: simulate.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

# Counts to 5 in N (one byte) and in the low byte of I (two bytes), fills
# PORTB, then sleeps. The files go to a temporary folder, none beside it.
printf 'DIM N AS BYTE\r\nDIM I AS INTEGER\r\nCONFIG B AS OUTPUT\r\nFOR N = 1 TO 5\r\nI = N\r\nNEXT N\r\nOUTPUT B, 0xA5\r\nEND\r\n' >count.bas
run 0 "run to SLEEP" --simulate 100000 count.bas
printf 'N = 6\nI = 5\nPORTA = 0x00\nPORTB = 0xA5\nTRISA = 0x3F\nTRISB = 0x00\nW = 0xA5\n' >want.txt
head -7 out.txt | cmp -s - want.txt || fail "run to SLEEP: $(cat out.txt)"
grep -Eq '^CICLI = [0-9]+$' out.txt || fail "no CICLI line: $(cat out.txt)"
[ "$(tail -1 out.txt)" = "SLEEP = sì" ] || fail "SLEEP not reached: $(cat out.txt)"
[ "$(ls -A | sort | tr '\n' ' ')" = "count.bas err.txt out.txt want.txt " ] || fail "stray files: $(ls -A)"

run 0 "cycle limit" --simulate 10 --watchdog count.bas
grep -qx 'CICLI = 1[01]' out.txt || fail "cycle limit: $(cat out.txt)"
grep -qx 'SLEEP = no' out.txt || fail "cycle limit: $(cat out.txt)"

# --pin holds inputs: the A-port reader takes another IF INPUT branch with
# each set of levels; the EEPROM reader reaches its SLEEP.
cp "$S/examples/lettura_linee_a.bas" "$S/examples/lettura_eeprom.bas" .
while IFS='|' read -r args want; do
  # shellcheck disable=SC2086
  run 0 "$args" --simulate $args
  [ "$(grep -E '^(VALORE|PORTA|PORTB|TRISA|SLEEP) ' out.txt | paste -sd ' ')" = "$want" ] || fail "$args: $(cat out.txt)"
done <<'ROWS'
100000 --pin A0=1 --pin A2=1 lettura_linee_a.bas|VALORE = 5 PORTA = 0x05 PORTB = 0x05 TRISA = 0xFF SLEEP = no
100000 --pin A0=sì --pin A2=si --pin A1=no lettura_linee_a.bas|VALORE = 5 PORTA = 0x05 PORTB = 0x05 TRISA = 0xFF SLEEP = no
100000 --pin A0=1 --pin a1=1 --pin A3=1 --pin A4=1 lettura_linee_a.bas|VALORE = 27 PORTA = 0x1B PORTB = 0x1B TRISA = 0xFF SLEEP = sì
200000 lettura_eeprom.bas|PORTA = 0x00 PORTB = 0x00 TRISA = 0x3F SLEEP = sì
ROWS

printf 'X = 5\r\nEND\r\n' >bad.bas
run 1 "translation error" --simulate 1000 bad.bas
grep -q 'ERRORE' err.txt || fail "translation error: no error block: $(cat err.txt)"
[ -s out.txt ] && fail "translation error: output printed"

for args in "--simulate 0 count.bas" "--simulate x count.bas" "--simulate 100 --pin A5=1 count.bas" \
            "--simulate 100 --pin B0=2 count.bas" "--simulate 100 --pin B0=s count.bas" "--simulate 100" "--simulate 100 count.bas bad.bas" \
            "--simulate 100 nosuch.bas" "--simulate 100 --pin B10=1 count.bas" "--simulate 100 --pin C0=1 count.bas"; do
  # shellcheck disable=SC2086
  run 2 "$args" $args
done

# PATH without the tools: the message names the package to install.
mkdir nogpsim && ln -s "$(command -v gpasm)" nogpsim/gpasm
PATH="$W/empty" run 2 "no gpasm" --simulate 100 count.bas
grep -q 'installare il pacchetto gputils' err.txt || fail "no gpasm: $(cat err.txt)"
PATH="$W/nogpsim" run 2 "no gpsim" --simulate 100 count.bas
grep -q 'installare il pacchetto gpsim' err.txt || fail "no gpsim: $(cat err.txt)"

finish "velmorac --simulate"
