' A chain of eight SUBs calling each other is deeper than the chip's stack allows
CALL S1
END
SUB S1
   CALL S2
END SUB
SUB S2
   CALL S3
END SUB
SUB S3
   CALL S4
END SUB
SUB S4
   CALL S5
END SUB
SUB S5
   CALL S6
END SUB
SUB S6
   CALL S7
END SUB
SUB S7
   CALL S8
END SUB
SUB S8
   WAIT
END SUB
