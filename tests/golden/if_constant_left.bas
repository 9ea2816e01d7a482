' IF: a constant on the left is not a variable
DIM X AS BYTE
IF 5 = X THEN
X = 1
END IF
END
