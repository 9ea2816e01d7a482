' The handler of an interrupt must be a SUB of the program
ON EXTERNAL INTERRUPT CALL GESTORE
END
