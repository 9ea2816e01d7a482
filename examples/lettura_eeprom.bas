' ==============================================================
'  Esempio 2 - Lettura della memoria EEPROM dati
' --------------------------------------------------------------
'  Il PIC16F84 ha 64 byte di EEPROM dati (indirizzi da 0 a 63)
'  che conservano il loro valore anche senza alimentazione.
'  Il programma legge gli indirizzi da 0 a 10 e mostra ogni byte
'  sulla porta B per circa un quarto di secondo (quarzo a 4 MHz);
'  si ferma al primo byte che vale zero.
'  I dati si scrivono con l'istruzione WRITE, per esempio
'     WRITE "CIAO", 0, 0
'  scrive i codici di C, I, A, O e uno zero dall'indirizzo 0.
' ==============================================================

CONFIG B AS OUTPUT          ' porta B in uscita: qui compaiono i dati letti

DIM INDIRIZZO AS BYTE       ' indirizzo della EEPROM da leggere
DIM DATO AS BYTE            ' byte letto
DIM LETTI AS BYTE           ' quanti byte diversi da zero sono stati letti

LETTI = 0
FOR INDIRIZZO = 0 TO 10
   DATO = READ(INDIRIZZO)   ' legge il byte all'indirizzo indicato
   IF DATO = 0 THEN BREAK   ' uno zero chiude i dati: si esce dal ciclo
   OUTPUT B, DATO           ' mostra il byte sulla porta B
   LETTI = LETTI + 1
   WAIT 250, 250            ' pausa di circa 0,25 secondi
NEXT INDIRIZZO

END                         ' il micro si ferma (SLEEP)
