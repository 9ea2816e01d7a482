' SELECT CASE: a range as the last case (its label before the end label),
' two blocks in a row with their own end labels
DIM X, Y AS BYTE
SELECT CASE X
CASE 3 TO 7
Y = 1
END SELECT
SELECT CASE Y
CASE 2
X = 1
END SELECT
END
