' FOR ... NEXT: a constant end a byte cannot hold
DIM I AS BYTE
FOR I = 1 TO 300
NEXT I
END
