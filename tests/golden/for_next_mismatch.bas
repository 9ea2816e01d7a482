' FOR ... NEXT: NEXT must name the loop variable
DIM I, J AS BYTE
FOR I = 1 TO 10
NEXT J
END
