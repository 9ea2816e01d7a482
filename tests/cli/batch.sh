#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmorac --batch from the outside: files and folders, the summary and the
# CSV, bad input that must not stop the batch, exercise checks, and the
# errors that stop it before any program runs. Usage: batch.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

# A class: two folders holding a file of the same name, a nested folder, an
# empty folder, a file that is not a program, a program with an error whose
# statement needs CSV quoting, a hostile file (NUL byte).
mkdir -p class/rossi class/verdi/extra class/vuota
cp "$S/examples/lettura_linee_a.bas" class/rossi/es.bas
cp "$S/examples/configurazione_io.bas" class/verdi/es.bas
cp "$S/examples/interrupt_b0.bas" class/verdi/extra/b0.bas
echo "appunti" >class/verdi/note.txt
printf 'DIM X AS BYTE\r\nFOO "a;b"\r\nEND\r\n' >class/verdi/a_errore.bas
printf 'END\0\r\n' >class/verdi/nul.bas

run 1 "batch" --batch --csv class.csv class missing.bas
cat >want.txt <<'OUT'
class/rossi/es.bas: ok (37 word, 1 byte RAM, 2 variabili, stack 1)
class/verdi/a_errore.bas:2: errore: Istruzione non risolta | istruzione: FOO "a;b"
class/verdi/es.bas: ok (15 word, 0 byte RAM, 1 variabile, stack 1)
class/verdi/extra/b0.bas: ok (80 word, 3 byte RAM, 7 variabili, stack 1)
class/verdi/nul.bas:1: errore: Il file contiene un carattere nullo (codice 0) alla riga 1: non è un testo
class/vuota: mancante: nessun programma .bas nella cartella, che è vuota
missing.bas: illeggibile: impossibile leggere il file: file o cartella inesistente
Tradotti: 3, con errori: 2, illeggibili: 1, senza programma: 1
Errori per messaggio:
  Il file contiene un carattere nullo (codice 0) alla riga 1: non è un testo: 1 studente (class/verdi/nul.bas:1)
  Istruzione non risolta: 1 studente (class/verdi/a_errore.bas:2)
  impossibile leggere il file: file o cartella inesistente: 1 studente (missing.bas)
  nessun programma .bas nella cartella, che è vuota: 1 studente (class/vuota)
OUT
same out.txt want.txt "batch summary"
[ -s err.txt ] && fail "batch: standard error is not a terminal, yet: $(cat err.txt)"
# On a terminal (script gives one) a progress bar ends at the file count.
script -qec "'$V' --batch class missing.bas" /dev/null >tty.txt 2>&1
grep -q '\[#\{30\}\] 7/7' tty.txt || fail "no progress bar on a terminal: $(od -c tty.txt | head -3)"
printf '\357\273\277' >want.csv
printf '%s\r\n' 'file;esito;riga;messaggio;word;ram;variabili;stack;avvisi' \
  'class/rossi/es.bas;ok;;;37;1;2;1;' \
  'class/verdi/a_errore.bas;errore;2;"Istruzione non risolta | istruzione: FOO ""a;b""";;;;;' \
  'class/verdi/es.bas;ok;;;15;0;1;1;' 'class/verdi/extra/b0.bas;ok;;;80;3;7;1;' \
  'class/verdi/nul.bas;errore;1;Il file contiene un carattere nullo (codice 0) alla riga 1: non è un testo;;;;;' \
  'class/vuota;mancante;;nessun programma .bas nella cartella, che è vuota;;;;;' \
  'missing.bas;illeggibile;;impossibile leggere il file: file o cartella inesistente;;;;;' >>want.csv
same class.csv want.csv "CSV"

# The same result whatever the number of jobs; no .asm without --write.
run 1 "one job" --batch --jobs 1 class missing.bas
same out.txt want.txt "one job"
[ -n "$(find class -name '*.asm')" ] && fail "an .asm written without --write"
run 0 "--write" --batch --write class/rossi/es.bas
[ -s class/rossi/es.esito.txt ] || fail "--write: no feedback file"
"$V" -q -o expected.asm class/rossi/es.bas
same class/rossi/es.asm expected.asm "--write"
run 0 "empty folder" --batch class/vuota
[ "$(cat out.txt)" = "Tradotti: 0, con errori: 0, illeggibili: 0" ] || fail "empty folder: $(cat out.txt)"

# Checks: the example reaches 27 with A0, A1, A3, A4 high; the other
# programs score what they match.
run 1 "check" --batch --check "$S/examples/esercizio_linee_a.txt" --csv check.csv class
grep -qx 'class/rossi/es.bas: ok (37 word, 1 byte RAM, 2 variabili, stack 1) punteggio 4/4' out.txt ||
  fail "check: $(cat out.txt)"
grep -q '^class/verdi/es.bas: .* punteggio 0/4$' out.txt || fail "check: $(cat out.txt)"
[ "$(head -1 check.csv)" = "$(printf '\357\273\277file;esito;riga;messaggio;word;ram;variabili;stack;avvisi;simulazione;VALORE = 27 (2);trovato: VALORE;PORTB = &H1B (1);trovato: PORTB;SLEEP = sì (1);trovato: SLEEP;punteggio\r')" ] ||
  fail "check CSV header: $(head -1 check.csv)"
grep -q '^class/rossi/es.bas;ok;;;37;1;2;1;;ok;2;27;1;0x1B;1;sì;4' check.csv || fail "check CSV row: $(cat check.csv)"
grep -q "^class/vuota;mancante;;[^;]*;\{13\}$(printf '\r')\$" check.csv || fail "check CSV, no program: $(cat check.csv)"

# Errors that stop the batch before any program runs: nothing printed,
# nothing written.
printf 'cicli 1000\npin A9=1\nverifica 1 X = 1\n' >bad_exercise.txt
run 2 "exercise mistake" --batch --check bad_exercise.txt --csv never.csv class
grep -q 'bad_exercise.txt:2: linea non valida' err.txt || fail "exercise mistake: $(cat err.txt)"
run 2 "CSV in a missing folder" --batch --csv nofolder/out.csv class
grep -q 'impossibile scrivere nofolder/out.csv' err.txt || fail "CSV path: $(cat err.txt)"
run 2 "CSV is a folder" --batch --csv class class
for what in "--jobs 0" "--csv" "--frob"; do
  # shellcheck disable=SC2086
  run 2 "$what" --batch $what class
done
[ -s out.txt ] && fail "a stopped batch printed: $(cat out.txt)"
[ -e never.csv ] || [ -n "$(ls -A . | grep '^\.never')" ] && fail "a stopped batch left a CSV behind"

finish "velmorac --batch"
