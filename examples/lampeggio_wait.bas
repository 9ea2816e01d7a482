' ==============================================================
'  Lampeggio di un LED con WAIT
' --------------------------------------------------------------
'  Il LED su B0 resta acceso e spento per la stessa pausa:
'  WAIT 250, 199 dura (4*250*(199+1)+1) cicli di istruzione,
'  200001 µs con il quarzo a 4 MHz (il calcolatore
'  dell'istruzione WAIT dà lo stesso numero). Un periodo è di
'  due pause più i 4 cicli di SET, RESET e del salto di LOOP:
'  circa 2,5 lampeggi al secondo. Nell'analizzatore logico i
'  due cursori su due fronti di salita di RB0 lo misurano.
' ==============================================================

CONFIG B AS OUTPUT          ' porta B in uscita: LED su B0

DO
   SET B0                   ' acceso...
   WAIT 250, 199            ' ...per 200001 µs
   RESET B0                 ' spento...
   WAIT 250, 199            ' ...per altrettanti
LOOP

END
