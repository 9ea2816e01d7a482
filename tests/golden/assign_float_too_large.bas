' A decimal constant keeps at most 255 in its integer part
DIM FL AS FLOAT
FL = 300.5
END
