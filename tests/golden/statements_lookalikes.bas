' Names that begin with a statement's word are variables, not statements
DIM GOTOX, WAITING, STOPX, SETX, CLEARX, SWAPX AS BYTE
GOTOX = 1
WAITING = 5
STOPX = GOTOX
SETX = 2
CLEARX = 3
SWAPX = 4
END
