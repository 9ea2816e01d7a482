' Parenthesised logical expressions: groups from the right into work bytes,
' NOT groups, a whole-line group merged, an IF comparing a group
DIM X, Y, P, Q, R AS BYTE
Y = (P AND Q) OR NOT(R)
X = ((P OR Q) AND R)
X = NOT(P XOR Q)
X = NOT(X)
IF (P AND Q) = 1 THEN
X = 0
END IF
END
