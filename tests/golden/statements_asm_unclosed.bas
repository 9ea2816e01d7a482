' An ASM block must be closed by }
DIM X AS BYTE
ASM{
CLRW
MOVWF X
END
