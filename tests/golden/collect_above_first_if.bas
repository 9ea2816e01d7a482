' DIM, DATA and the timer reload are collected down to the first IF or
' DO WHILE: a bare DO and a label do not stop them (a reload of 2.5 is 2);
' a label of eight characters or more shares its line after one space
DATA 1, 2
START:
DIM CONTA AS BYTE
DATA 3
SET INIT TIMER TO 2.5
ON TIMER INTERRUPT CALL TICK
DO
DIM Y AS BYTE
Y = GETDATA(3)
LOOP UNTIL Y = 3
LUNGAETICHETTA:
GOTO START
END
SUB TICK
CONTA = CONTA + 1
END SUB
