' Bitwise assignments: AND, XOR, OR with variables and constants, NOT
DIM X, P, Q AS BYTE
X = P AND 15
X = 15 AND P
X = 12 OR 3
X = P XOR Q
X = P OR Q
X = NOT(X)
X = NOT(P)
X = NOT(0)
END
