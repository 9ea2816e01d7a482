' DIM: FLOAT and INTEGER arrays, array sizes rounded to even, types known
' by part of their name (BYT, GER), blanks around the names
DIM F2 AS FLOAT
DIM BUF[4] AS INTEGER
DIM H[2.5], K[3.5] AS BYTE
DIM X AS BYT
DIM Y AS GER
DIM  P ,Q  AS WORD
X = 1
END
