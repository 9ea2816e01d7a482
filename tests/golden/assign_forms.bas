' Assignments: constant forms (the limits of a byte, hexadecimal, a sign,
' no blanks, a hexadecimal text with more after it), RND(), increments and
' sums with the constant on either side, a constant kept to its low byte,
' and bitwise operators with a low byte, -1 and NOT of a constant
DIM X, Y, P AS BYTE
X = 255
X = -256
X = &H1F
X = +5
X=7
X = &H10 + 1
X = RND()
X = X + &H1
X = X + 2
X = Y - 3
Y = 5 - Y
X = 5 + Y
X = Y + 300
X = P AND 15
X = P XOR 300
X = P XOR -1
X = NOT(255)
X = NOT(&H0F)
END
