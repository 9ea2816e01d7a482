' The last line has no line end: it is still read
DIM X AS BYTE
X = 7
END