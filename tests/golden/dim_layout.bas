' DIM: declaration order is RAM order, each variable taking its size
DIM CONTATORE AS BYTE
DIM BUF[4], K AS BYTE
DIM I AS INTEGER
DIM L AS LONG
DIM F1 AS SINGLE
DIM T[3] AS WORD
CONTATORE = 1
K = 0
END
