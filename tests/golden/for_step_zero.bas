' FOR ... NEXT: a step of 0 would never end
DIM I AS BYTE
FOR I = 1 TO 10 STEP 0
NEXT I
END
