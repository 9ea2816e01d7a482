' Parenthesised groups: a whole-line group merged, a group beside a
' variable, two groups taken from the right, and each line starting its
' work bytes again
DIM X, Y, Z, P, Q, R, S AS BYTE
X = (P AND Q)
X = (P AND Q) OR R
Y = (P OR Q) AND (R OR S)
Y = 1
Z = (R OR S) AND P
END
