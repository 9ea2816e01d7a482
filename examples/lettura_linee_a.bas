' ==============================================================
'  Esempio 4 - Lettura delle linee da A0 ad A4 in un byte
' --------------------------------------------------------------
'  Le cinque linee della porta A sono ingressi. Ogni linea alta
'  aggiunge al byte VALORE il suo peso binario:
'     A0 = 1, A1 = 2, A2 = 4, A3 = 8, A4 = 16
'  Il valore ottenuto (da 0 a 31) viene scritto sulla porta B.
'  Il ciclo termina quando il valore letto è 27
'  (A0, A1, A3 e A4 alte, A2 bassa).
' ==============================================================

CONFIG A AS INPUT           ' porta A in ingresso
CONFIG B AS OUTPUT          ' porta B in uscita

DIM VALORE AS BYTE          ' il byte composto dalle cinque linee

DO
   VALORE = 0
   IF INPUT(A0) = 1 THEN VALORE = VALORE + 1
   IF INPUT(A1) = 1 THEN VALORE = VALORE + 2
   IF INPUT(A2) = 1 THEN VALORE = VALORE + 4
   IF INPUT(A3) = 1 THEN VALORE = VALORE + 8
   IF INPUT(A4) = 1 THEN VALORE = VALORE + 16
   OUTPUT B, VALORE         ' mostra il valore sulla porta B
LOOP UNTIL VALORE = 27      ' esce quando il valore è 27

END
