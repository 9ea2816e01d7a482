' SELECT CASE: a value with its statement after a colon, a range, a value
' list, IS, CASE ELSE and BREAK
DIM X, Y AS BYTE
SELECT CASE X
CASE 1: Y = 2
CASE 3 TO 7
Y = 3
IF X = 5 THEN BREAK
Y = 4
CASE 10, 20, 30
Y = 5
CASE IS > 200
Y = 6
CASE ELSE
Y = 7
END SELECT
END
