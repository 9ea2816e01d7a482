' DO ... LOOP: a condition at the bottom, and NOT folded into each keyword
DIM X AS BYTE
DO
X = X + 1
LOOP WHILE X = 1
DO WHILE NOT X = 0
X = X - 1
LOOP
DO UNTIL NOT X = 0
X = X + 1
LOOP
DO
X = X + 1
LOOP NOT X = 0
DO
X = X - 1
LOOP UNTIL NOT X = 0
END
