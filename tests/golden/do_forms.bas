' DO ... LOOP: the five forms, NOT folded into UNTIL/WHILE, BREAK to the
' innermost loop
DIM X, Y AS BYTE
DO WHILE X < 5
X = X + 1
LOOP
DO UNTIL X = 0
X = X - 1
LOOP
DO
X = X + 1
LOOP WHILE NOT X = 9
DO
Y = Y + 1
DO NOT Y = 3
Y = Y + 1
IF Y = 2 THEN BREAK
LOOP
LOOP UNTIL Y > 20
DO
X = X + 1
IF X = 7 THEN BREAK
LOOP
END
