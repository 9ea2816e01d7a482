' IF: a variable against a constant, against 0 (signed) and against a
' variable; ELSE; a nested block takes the smaller labels
DIM X, Y, R AS BYTE
IF X = 0 THEN
R = 1
END IF
IF X <> Y THEN
R = 2
ELSE
R = 3
END IF
IF X <= 10 THEN
R = 4
END IF
IF X > 0 THEN
R = 5
END IF
IF X >= Y THEN
IF X < 200 THEN
R = 6
END IF
END IF
IF X = 256 THEN R = 7
END
