' A name declared twice
DIM X, Y AS BYTE
DIM Y AS WORD
X = 1
END
