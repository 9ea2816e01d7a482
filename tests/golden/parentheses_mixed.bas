' Parenthesised logical expressions: two kinds of operator at one level
DIM X, P, Q, R, S AS BYTE
X = (P AND Q) OR R AND S
END
