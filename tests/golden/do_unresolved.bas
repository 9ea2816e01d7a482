' DO ... LOOP: a condition at both ends cannot be lowered
DIM X AS BYTE
DO WHILE X = 1
X = X + 1
LOOP UNTIL X = 2
END
