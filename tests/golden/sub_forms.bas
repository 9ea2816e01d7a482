' SUBs: one name with two parameter counts is two routines; a body
' opening with a bare DO keeps its label on a line of its own
DIM X, P, Q AS BYTE
CALL G(1,2)
CALL G(1)
CALL SPIN
END
SUB G(P)
X = P
END SUB
SUB G(P,Q)
X = Q
END SUB
SUB SPIN
DO
X = X + 1
LOOP UNTIL X = 3
END SUB
