' An operand beyond sixteen bits is refused, not cut
DIM X, Y AS BYTE
X = Y + 70000
END
