' Built-in functions on the right of an assignment
DATA 10, 20, 30
DIM X, I AS BYTE
X = DIV10(I)
I = DIV10R(I)
X = GETDATA(2)
X = GETDATA(I)
X = READ(5)
X = READ(I)
X = INPUT(B)
X = INPUT(A3)
END
