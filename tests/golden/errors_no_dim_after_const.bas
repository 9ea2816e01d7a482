' DIM does not run after a CONST error
CONST K 5
DIM X AS BIT
END
