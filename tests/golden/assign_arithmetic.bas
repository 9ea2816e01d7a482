' Assignments on one byte: constants, copies, sums and differences,
' constant folding, flags, the timer and a four-byte decimal constant
CONST LIMITE = 200
DIM X, Y, Z AS BYTE
DIM FL AS SINGLE
X = 0
X = LIMITE
Y = -1
Z = X
X = Y + 1
X = X + 1
X = X - 1
X = 5 - Y
Y = 5 + Y
X = Y + Z
X = Y - Z
X = 2 + 3
X = 1 - 2
X = 3 - 3
X = Y - -3
FL = 1.5
FL = .5
X = RND
X = FLAG_CARRY
X = FLAG_ZERO
END
