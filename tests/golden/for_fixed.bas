' FOR ... NEXT, fixed forms: constant bounds with the overflow test, a
' variable start or end, counting down; BREAK outside a DO of the body
DIM I, N, S AS BYTE
FOR I = 1 TO 10
S = S + I
NEXT I
FOR I = 10 TO 0 STEP -1
S = S + 1
NEXT I
FOR I = N TO 20 STEP 2
S = S + 1
IF S = 100 THEN BREAK
NEXT I
FOR I = 0 TO N
DO
IF I = 3 THEN BREAK
LOOP
NEXT I
END
