' A piece between two colons is taken as a label (CLEAR here), the last
' piece as a statement
DIM A, BV AS BYTE
a = 1 : clear : bv = 2
END
