' FOR ... NEXT at the edges of the choice between the fixed and general
' forms: constant bounds with a step of +5 (the overflow test), a step of
' -126 and -3 with a variable bound, a step of 128 and a variable step;
' a BREAK in a DO of a general loop leaves the DO, the next the FOR
DIM I, A1, N, S AS BYTE
FOR I = 0 TO 255 STEP +5
S = S + 1
NEXT I
FOR I = A1 TO 0 STEP -126
S = S + 1
NEXT I
FOR I = 200 TO N STEP -3
S = S + 1
NEXT I
FOR I = 1 TO N STEP 128
S = S + 1
NEXT I
FOR I = 1 TO 10 STEP S
A1 = A1 + 1
NEXT I
FOR I = A1 TO N
DO WHILE S = 1
BREAK
LOOP
BREAK
NEXT I
END
