' A CALL whose argument count matches no SUB
DIM T AS BYTE
CALL RITARDO(1, 2)
END
SUB RITARDO(T)
   WAIT T
END SUB
