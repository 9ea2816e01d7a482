' IF on inputs and flags: a port against a constant, 0 and a variable, a
' constant before INPUT(), an input line, the carry and zero flags
CONFIG A, B AS INPUT
DIM X, R AS BYTE
IF INPUT(B) >= 3 THEN
R = 1
END IF
IF INPUT(A) <= 0 THEN
R = 2
END IF
IF 3 < INPUT(B) THEN
R = 3
END IF
IF INPUT(B) > X THEN
R = 4
END IF
IF INPUT(B0) THEN
R = 5
END IF
IF INPUT(B7) = X THEN
R = 6
END IF
IF FLAG_CARRY = 0 THEN
R = 7
END IF
IF FLAG_ZERO THEN R = 8 ELSE R = 9
END
