' Two SUBs with the same name and the same number of parameters
DIM T AS BYTE
CALL RITARDO(5)
END
SUB RITARDO(T)
   WAIT T
END SUB
SUB RITARDO(T)
   WAIT 10
END SUB
