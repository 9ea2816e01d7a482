' SUBs with and without parameters, nested calls, EXIT SUB, a body opening with DO
DIM X, Y, S AS BYTE
CALL SOMMA(3, 4)
CALL SOMMA(S, 10)
CALL AZZERA()
CALL ATTESA
END
SUB SOMMA(X, Y)
   S = X + Y
   IF S = 0 THEN EXIT SUB
   CALL AZZERA
END SUB
SUB AZZERA
   Y = 0
END SUB
SUB ATTESA
   DO WHILE Y < 5
      Y = Y + 1
   LOOP
END SUB
