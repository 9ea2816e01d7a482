' More than 61 bytes of variables
DIM A[40] AS BYTE
DIM B[22] AS BYTE
A = 1
END
