' FOR ... NEXT, general forms: variable bounds with a constant step of
' either sign, a variable step, and the exit label taken by BREAK
DIM I, A1, B1, ST AS BYTE
FOR I = A1 TO B1
IF I = 5 THEN BREAK
NEXT I
FOR I = A1 TO B1 STEP -2
A1 = A1 + 1
NEXT I
FOR I = A1 TO B1 STEP ST
A1 = A1 + 1
NEXT I
END
