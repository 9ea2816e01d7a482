' A sum with both signs is more than one operation
DIM X, Y AS BYTE
X = Y + -3
END
