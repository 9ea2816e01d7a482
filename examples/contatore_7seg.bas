' ==============================================================
'  Contatore da 0 a 9 su un display a 7 segmenti
' --------------------------------------------------------------
'  CONTA sale di uno ogni mezzo secondo circa (quarzo a 4 MHz)
'  e si vede su un display a catodo comune sulla porta B:
'  segmenti a-g su B0-B6. La scheda contatore_7seg.scheda ha
'  il display già collegato.
' ==============================================================

CONFIG B AS OUTPUT          ' B0-B7: i segmenti del display

DIM CONTA AS BYTE
DIM I AS BYTE

CONTA = 0
DO
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
   FOR I = 1 TO 2           ' 2 x WAIT 250, 249: circa mezzo secondo
      WAIT 250, 249
   NEXT I
   CONTA = CONTA + 1
   IF CONTA = 10 THEN
      CONTA = 0
   END IF
LOOP

END
