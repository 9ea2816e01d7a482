' ==============================================================
'  Esempio 1 - Configurazione delle porte I/O
' --------------------------------------------------------------
'  La linea A0 è un ingresso (per esempio un pulsante o un
'  interruttore), la linea B5 è un'uscita (per esempio un LED).
'  Il programma legge A0 senza fermarsi mai e ne copia lo stato
'  su B5: con A0 alta il LED si accende, con A0 bassa si spegne.
' ==============================================================

CONFIG A0 AS INPUT          ' A0 ingresso: il suo bit di TRISA vale 1
CONFIG B AS OUTPUT          ' tutta la porta B in uscita: TRISB = 0

DO                          ' ciclo senza fine
   IF INPUT(A0) = 1 THEN    ' A0 è alta?
      SET B5                ' sì: B5 alta, LED acceso
   ELSE
      RESET B5              ' no: B5 bassa, LED spento
   END IF
LOOP

END                         ' il programma principale termina sempre con END
