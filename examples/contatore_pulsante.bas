' ==============================================================
'  Contatore a pulsante su un display a 7 segmenti
' --------------------------------------------------------------
'  Ogni pressione del pulsante su A0 (premuto = linea alta)
'  aumenta CONTA da 0 a 9, poi si riparte da 0. La cifra si
'  vede su un display a catodo comune collegato alla porta B:
'  segmenti a-g su B0-B6, il punto su B7.
'  La scheda contatore_pulsante.scheda ha il pulsante e il
'  display già collegati: nel simulatore, click sul pulsante
'  (o il tasto 1) per contare.
' ==============================================================

CONFIG A AS INPUT           ' A0: il pulsante
CONFIG B AS OUTPUT          ' B0-B7: i segmenti del display

DIM CONTA AS BYTE           ' il valore mostrato
DIM PRIMA AS BYTE           ' il pulsante alla lettura precedente
DIM ORA AS BYTE             ' il pulsante adesso

CONTA = 0
PRIMA = 0
DO
   ORA = INPUT(A0)
   IF ORA = 1 THEN
      IF PRIMA = 0 THEN     ' conta solo quando viene premuto
         CONTA = CONTA + 1
         IF CONTA = 10 THEN
            CONTA = 0
         END IF
      END IF
   END IF
   PRIMA = ORA
   SELECT CASE CONTA        ' la cifra in segmenti (a = B0 ... g = B6)
   CASE 0
      OUTPUT B, 63
   CASE 1
      OUTPUT B, 6
   CASE 2
      OUTPUT B, 91
   CASE 3
      OUTPUT B, 79
   CASE 4
      OUTPUT B, 102
   CASE 5
      OUTPUT B, 109
   CASE 6
      OUTPUT B, 125
   CASE 7
      OUTPUT B, 7
   CASE 8
      OUTPUT B, 127
   CASE ELSE
      OUTPUT B, 111
   END SELECT
   WAIT 250                 ' circa 1 ms tra due letture
LOOP

END
