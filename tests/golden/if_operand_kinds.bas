' IF: the operand kinds the other if_* goldens leave out: a negative
' constant, 0 with < and <=, two variables, a port against a constant, 0
' and a variable, the operands swapped around INPUT(), input lines against
' 0, 1, 2 and &H1; ELSE after <= takes the end label before the true label
CONFIG A, B AS INPUT
DIM X, Y, N, R AS BYTE
IF X = 5 THEN
R = 1
END IF
IF X = -1 THEN
R = 2
END IF
IF X < 0 THEN
R = 3
END IF
IF X <= 0 THEN
R = 4
END IF
IF N >0 THEN
R = 5
END IF
IF X < Y THEN
R = 6
END IF
IF FLAG_CARRY <> 0 THEN
R = 7
END IF
IF INPUT(A) = 3 THEN
R = 8
END IF
IF INPUT(A) <> 3 THEN
R = 9
END IF
IF INPUT(B) < 3 THEN
R = 10
END IF
IF INPUT(B) < 0 THEN
R = 11
END IF
IF INPUT(B) > 0 THEN
R = 12
END IF
IF INPUT(B) = N THEN
R = 13
END IF
IF INPUT(B) >= N THEN
R = 14
END IF
IF INPUT(A) THEN
R = 15
END IF
IF 3 >= INPUT(B) THEN
R = 16
END IF
IF N = INPUT(B) THEN
R = 17
END IF
IF INPUT(A4) = 1 THEN
R = 18
END IF
IF INPUT(B0) = 0 THEN
R = 19
END IF
IF INPUT(B0) = 2 THEN
R = 20
END IF
IF INPUT(B0) = &H1 THEN
R = 21
END IF
IF 1 = INPUT(B3) THEN
R = 22
END IF
IF X <= 10 THEN
R = 23
ELSE
R = 24
END IF
END
