' Simple statements in the forms statements_simple leaves out: FLAG
' names, a port line written XB7, whole-port RECONFIG and a list with an
' empty item, ASM blocks holding labels, and the
' SET and WRITE statements the dispatcher hands to other passes
DIM X AS BYTE
CLEAR FLAG CARRY
SET FLAG CARRY
RESET FLAG CARRY
RESET XB7
OUTPUT A , 0
RECONFIG A AS OUTPUT
RECONFIG B3 AS INPUT
RECONFIG B7, , A AS OUTPUT
ROTATE RIGHT  X
ASM(LAB1: NOP)
ASM{
MOVLW &H1F
LAB:

MOVWF X
}
ASM{ CLRW
LAB2: NOP
RETURN }
SET EXTERNAL CLOCK
SET TIMER EDGE DOWN
SET EXTERNAL INTERRUPT EDGE UP
SET LINE INTERRUPT OFF
WRITE 12, 33
END
