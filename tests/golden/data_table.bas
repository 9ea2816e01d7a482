' DATA with numbers, hexadecimal and strings; GETDATA with a constant and a variable index
DATA 3, &H7F, "Ok"
DATA 256, 1.5
DIM K, V AS BYTE
V = GETDATA(1)
K = 4
V = GETDATA(K)
END
