' ==============================================================
'  Esempio 3 - Interrupt su B0/INT
' --------------------------------------------------------------
'  Il programma principale fa lampeggiare un LED su A0.
'  Ogni fronte di salita sulla linea B0 (per esempio un pulsante
'  verso +5V con una resistenza di pull-down) genera un interrupt:
'  la subroutine CAMBIA_A1 inverte lo stato della linea A1,
'  qualunque cosa stia facendo in quel momento il ciclo principale.
'  La pausa del lampeggio è una subroutine con due cicli FOR
'  annidati attorno a un'istruzione WAIT.
' ==============================================================

CONFIG A AS OUTPUT          ' porta A in uscita: LED su A0 e A1
CONFIG B0 AS INPUT          ' B0 ingresso dell'interrupt esterno

DIM STATO_A1 AS BYTE        ' 0 = A1 spenta, 1 = A1 accesa
DIM I AS BYTE               ' contatori dei cicli di ritardo
DIM J AS BYTE

ON EXTERNAL INTERRUPT CALL CAMBIA_A1   ' B0 chiama CAMBIA_A1 (fronte di salita)

STATO_A1 = 0
RESET A1
DO                          ' ciclo principale: lampeggio di A0
   SET A0
   CALL RITARDO
   RESET A0
   CALL RITARDO
LOOP

END

' Subroutine di interrupt: inverte la linea A1 a ogni chiamata.
SUB CAMBIA_A1
   IF STATO_A1 = 0 THEN
      SET A1
      STATO_A1 = 1
   ELSE
      RESET A1
      STATO_A1 = 0
   END IF
END SUB

' Pausa di circa mezzo secondo con quarzo a 4 MHz:
' 20 x 100 volte WAIT 60 (circa 241 µs ciascuna).
SUB RITARDO
   FOR I = 1 TO 20
      FOR J = 1 TO 100
         WAIT 60
      NEXT J
   NEXT I
END SUB
