' IF: an input line compares only with "="
CONFIG B0 AS INPUT
DIM X AS BYTE
IF INPUT(B0) > 0 THEN
X = 1
END IF
END
