#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velmorac --batch as a teacher meets it: each fault that once gave a grade
# nobody could sign is a row below (determinism, missing tools, hostile
# files, "--", --write), then the exercise checks above 127, the feedback
# files, the summary and the CSV read back by Python's csv module.
# Usage: batch_grading.sh VELMORAC SOURCE_DIR
. "$(dirname "$0")/common.sh"

# A small class: 200 in a byte (above 127, so a comparison of the low 7 bits
# fails), the same program writing 72 (200 with the top bit lost), and an
# endless loop that only the cycle count stops.
mkdir -p class/bianchi class/neri class/rossi class/vuoto
printf 'DIM X AS BYTE\r\nCONFIG B AS OUTPUT\r\nX = 200\r\nOUTPUT B, X\r\nEND\r\n' >class/bianchi/es.bas
sed 's/200/72/' class/bianchi/es.bas >class/neri/es.bas
printf 'DIM X AS BYTE\nCONFIG B AS OUTPUT\nX = 200\nOUTPUT B, X\nDO\nX = X + 1\nLOOP\nEND\n' >class/rossi/es.bas
echo "appunti" >class/vuoto/es.bas.txt
printf '\xEF\xBB\xBFcicli 5000\r\nverifica 2 X = 200 ; il byte oltre 127\r\nverifica 1 PORTB = &HC8\r\n' >high.txt
printf 'verifica 1 X > 127\r\nverifica 1 SLEEP = sì\r\nverifica 1 PASSO = 3\r\n' >>high.txt

# ---- Grades: the values above 127, each check's found value, the summary.
run 1 "grades" --batch --check high.txt --summary riepilogo.txt --csv voti.csv class
while IFS='|' read -r file want; do
  grep -qxF "$file: $want" out.txt || fail "grade of $file: $(grep "^$file" out.txt)"
done <<'ROWS'
class/bianchi/es.bas|ok (11 word, 1 byte RAM, 2 variabili, stack 1) punteggio 5/6
class/neri/es.bas|ok (11 word, 1 byte RAM, 2 variabili, stack 1) punteggio 1/6
class/rossi/es.bas|ok (13 word, 1 byte RAM, 2 variabili, stack 1) punteggio 1/6
class/vuoto|mancante: nessun programma .bas nella cartella; trovati: es.bas.txt
ROWS
grep -q 'high.txt:6: avviso: PASSO non è un registro né una variabile' err.txt || fail "unknown name: $(cat err.txt)"
for line in "Tradotti: 3, con errori: 0, illeggibili: 0, senza programma: 1" "Media: 2,3 su 6 (3 studenti valutati)" \
            "Punteggio pieno: 0 studenti" "  5/6: 1 studente #" "  1/6: 2 studenti ##" \
            "  nessun programma .bas nella cartella; trovati: es.bas.txt: 1 studente (class/vuoto)"; do
  tr -d '\r' <riepilogo.txt | grep -qxF "$line" || fail "summary has no '$line': $(cat riepilogo.txt)"
  grep -qxF "$line" out.txt || fail "terminal summary has no '$line'"
done
grep -q $'\r$' riepilogo.txt || fail "summary file without CR LF"

# The CSV, as a spreadsheet (or Python) reads it: byte-order mark, ';', the
# found values beside the points.
python3 - voti.csv <<'PY' || fail "CSV read back"
import csv, sys
raw = open(sys.argv[1], "rb").read()
assert raw.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8-sig", newline=""), delimiter=";"))
head = rows[0]
assert head[:10] == ["file", "esito", "riga", "messaggio", "word", "ram", "variabili", "stack", "avvisi", "simulazione"], head
assert head[10:14] == ["X = 200 (2)", "trovato: X", "PORTB = &HC8 (1)", "trovato: PORTB"], head
assert head[-1] == "punteggio", head
by = {r[0]: dict(zip(head, r)) for r in rows[1:]}
b, n, r = by["class/bianchi/es.bas"], by["class/neri/es.bas"], by["class/rossi/es.bas"]
assert (b["trovato: X"], b["trovato: PORTB"], b["X = 200 (2)"], b["punteggio"]) == ("200", "0xC8", "2", "5"), b
assert (n["trovato: X"], n["X = 200 (2)"], n["X > 127 (1)"], n["punteggio"]) == ("72", "0", "0", "1"), n
# The endless loop stops at the cycle count: X counted up to 73 by then.
assert (r["trovato: X"], r["trovato: SLEEP"], r["simulazione"], r["punteggio"]) == ("73", "no", "ok", "1"), r
assert by["class/vuoto"]["esito"] == "mancante", by["class/vuoto"]
PY

# ---- The fault table: each case gets its own folder and exercise.
printf 'cicli 100000000\nverifica 1 X = 200\n' >long.txt
mkdir hung nogpsim && ln -s "$(command -v gpasm)" hung/gpasm && ln -s "$(command -v gpasm)" nogpsim/gpasm
printf '#!/bin/sh\nexec /bin/sleep 60\n' >hung/gpsim && chmod +x hung/gpsim
printf 'cicli 1000\ntempo 1\nverifica 1 SLEEP = si\n' >quick.txt

# Determinism: an endless loop runs to its cycle count whatever the load;
# the CSV is the same at 1, 2 and 8 jobs with two busy loops beside.
yes >/dev/null & busy1=$!
yes >/dev/null & busy2=$!
for jobs in 1 2 8; do
  run 1 "jobs $jobs" --batch --jobs "$jobs" --check high.txt --csv "jobs$jobs.csv" class
done
kill "$busy1" "$busy2"
same jobs1.csv jobs2.csv "CSV at 1 and 2 jobs"
same jobs1.csv jobs8.csv "CSV at 1 and 8 jobs"
same jobs1.csv voti.csv "CSV on a loaded machine"

# A hung gpsim: past the guard the row is "non valutato" (never 0 points),
# counted, and the exit status is 1.
PATH="$W/hung" run 1 "hung gpsim" --batch --check quick.txt --csv hung.csv class/bianchi/es.bas
grep -qxF 'class/bianchi/es.bas: ok (11 word, 1 byte RAM, 2 variabili, stack 1) non valutato (gpsim non ha risposto entro 2 secondi ed è stato interrotto)' out.txt ||
  fail "hung gpsim: $(cat out.txt)"
grep -q 'non valutati: 1' out.txt || fail "hung gpsim not counted: $(cat out.txt)"
grep -q ';non valutato.\?$' hung.csv || fail "hung gpsim CSV: $(cat hung.csv)"

# Missing tools: exit 2 and the message before any row; translating alone needs none.
for tools in empty nogpsim; do
  PATH="$W/$tools" run 2 "no tools ($tools)" --batch --check quick.txt class
  grep -q 'installare il pacchetto' err.txt || fail "no tools ($tools): $(cat err.txt)"
  [ -s out.txt ] && fail "no tools ($tools): rows printed: $(cat out.txt)"
done
PATH="$W/empty" run 0 "translate without tools" --batch class/bianchi

# Hostile files: a FIFO and a device are refused without blocking, a 300 MB
# file is refused without being read (a 400 MB memory limit proves it), an
# empty file is not a missing END; the same file twice is one row.
mkdir hostile && mkfifo hostile/fifo.bas && truncate -s 300M hostile/big.bas && : >hostile/empty.bas
printf 'DIM X AS BYTE\r\nX = 1\r\nEND\0\r\n' >hostile/nul.bas
# (AddressSanitizer reserves terabytes of address space, so its build runs
# without the limit.)
limit=400000
grep -qa __asan_init "$V" && limit=unlimited
(ulimit -v $limit; timeout 60 "$V" --batch hostile /dev/zero hostile/../hostile/empty.bas ./hostile/empty.bas >out.txt 2>err.txt)
[ $? = 1 ] || fail "hostile files: exit status $?: $(cat err.txt)"
cat >want.txt <<'OUT'
hostile/big.bas: errore: Il file è troppo grande per essere un programma BASIC: 314572800 byte (al massimo 524288)
hostile/empty.bas: errore: Il file è vuoto: non contiene alcuna istruzione
hostile/fifo.bas: illeggibile: impossibile leggere il file: non è un file normale (dispositivo, FIFO o socket)
hostile/nul.bas:3: errore: Il file contiene un carattere nullo (codice 0) alla riga 3: non è un testo
/dev/zero: illeggibile: impossibile leggere il file: non è un file normale (dispositivo, FIFO o socket)
OUT
head -5 out.txt | cmp -s - want.txt || fail "hostile files: $(diff <(head -5 out.txt) want.txt)"

# "--" ends the options; a name starting with '-' without it gets advice.
cp class/bianchi/es.bas ./-meno.bas
run 0 "-- in --batch" --batch -- -meno.bas
grep -q '^-meno.bas: ok' out.txt || fail "-- in --batch: $(cat out.txt)"
run 0 "-- in --simulate" --simulate 1000 -- -meno.bas
grep -qx 'X = 200' out.txt || fail "-- in --simulate: $(cat out.txt)"
run 2 "a file like an option" --batch -meno.bas
grep -q "scrivere -- prima dei file" err.txt || fail "no advice for -meno.bas: $(cat err.txt)"

# --write: a failed write is an error in the row and the exit status; two
# programs that would write one file are both reported and neither written.
mkdir write && cp class/bianchi/es.bas write/luci.bas && cp class/neri/es.bas write/luci.BAS
cp class/bianchi/es.bas write/blocked.bas && mkdir write/blocked.asm
cp class/bianchi/es.bas write/good.bas
run 1 "--write" --batch --write --check high.txt write
grep -q '^write/blocked.bas: errore: impossibile scrivere write/blocked.asm: è una cartella' out.txt || fail "--write failure: $(cat out.txt)"
[ "$(grep -c '^write/luci.*: errore: nessun file scritto: write/luci.* scriverebbe lo stesso file luci.asm' out.txt)" = 2 ] || fail "--write collision: $(cat out.txt)"
[ -e write/luci.asm ] || [ -e write/luci.esito.txt ] && fail "--write collision: a file was written"
"$V" -q -o expected.asm write/good.bas
same write/good.asm expected.asm "--write .asm"
cat >want.txt <<'OUT'
Programma: write/good.bas
Esito: tradotto senza errori (11 word, 1 byte di RAM, 2 variabili, stack 1)

Verifiche (simulazione di 5000 cicli di istruzione):
  atteso X = 200, trovato 200: 2 punti su 2
  atteso PORTB = &HC8, trovato 0xC8: 1 punto su 1
  atteso X > 127, trovato 200: 1 punto su 1
  atteso SLEEP = sì, trovato sì: 1 punto su 1
  atteso PASSO = 3, trovato nulla: 0 punti su 1
Punteggio: 5 su 6
OUT
tr -d '\r' <write/good.esito.txt | cmp -s - want.txt || fail "feedback file: $(diff <(tr -d '\r' <write/good.esito.txt) want.txt)"

# Names that are not UTF-8 or hold escape sequences reach neither the
# terminal nor the CSV raw; a name that looks like a formula is defused.
mkdir names && cp class/bianchi/es.bas "names/$(printf 'caff\xe8.bas')" && cp class/bianchi/es.bas "names/$(printf '\e[31mrosso.bas')"
cp class/bianchi/es.bas "names/=SOMMA(1).bas" && cp class/bianchi/es.bas names/-x.bas && printf 'DIM BC AS BYTE\nEND\n' >names/warn.bas
(cd names && "$V" --batch --csv ../names.csv -- * >../out.txt 2>../err.txt) || fail "names: exit status $?: $(cat err.txt)"
grep -q $'\e' out.txt names.csv && fail "an escape sequence reached the output"
python3 - names.csv <<'PY' || fail "names CSV: $(cat names.csv)"
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8-sig", newline=""), delimiter=";"))
files = sorted(r[0] for r in rows[1:])
assert files == ["'-x.bas", "'=SOMMA(1).bas", "caff\ufffd.bas", "warn.bas", "\ufffd[31mrosso.bas"], files
warn = [r for r in rows if r[0] == "warn.bas"][0]
assert warn[1] == "ok" and warn[8].startswith("riga 1: il nome BC"), warn
PY
grep -q '^warn.bas:1: avviso: il nome BC' out.txt || fail "warning not in the batch: $(cat out.txt)"

# The timeline drives an IF INPUT branch: A0 goes high at 5 ms (cycle 5000
# of a 4 MHz crystal); the check at cycle 4000 sees the low branch, the end
# the high one. A program that ignores A0 gets only the first point.
mkdir timeline
printf 'CONFIG A AS INPUT\nCONFIG B AS OUTPUT\nDO\nIF INPUT(A0) = 1 THEN\nOUTPUT B, 5\nELSE\nOUTPUT B, 3\nEND IF\nLOOP\nEND\n' >timeline/legge.bas
printf 'CONFIG B AS OUTPUT\nDO\nOUTPUT B, 3\nLOOP\nEND\n' >timeline/ignora.bas
printf 'cicli 20000\nt=5ms A0=1\nciclo=4000 verifica 1 PORTB = 3\nverifica 1 PORTB = 5\n' >timeline.txt
run 0 "timeline" --batch --check timeline.txt --csv timeline.csv timeline
grep -q '^timeline/legge.bas: ok .* punteggio 2/2$' out.txt || fail "timeline: $(cat out.txt)"
grep -q '^timeline/ignora.bas: ok .* punteggio 1/2$' out.txt || fail "timeline: $(cat out.txt)"
grep -q 'ciclo 4000: PORTB = 3 (1);trovato: PORTB (ciclo 4000)' timeline.csv || fail "timeline CSV: $(head -1 timeline.csv)"

# A signal removes the temporary CSV: the batch waits on a hung gpsim.
PATH="$W/hung" "$V" --batch --check quick.txt --csv signal.csv class/bianchi/es.bas >/dev/null 2>&1 &
batch=$!
for _ in $(seq 50); do ls -A | grep -q '^\.signal\.csv\.' && break; sleep 0.1; done
ls -A | grep -q '^\.signal\.csv\.' || fail "signal: no temporary CSV seen"
kill -TERM "$batch"; wait "$batch"
ls -A | grep -q 'signal\.csv' && fail "signal: the CSV or its temporary file is left: $(ls -A)"

finish "velmorac --batch grading"
