' An interrupt handler cannot take parameters
DIM X, V AS BYTE
ON LINE INTERRUPT CALL MOSTRA
END
SUB MOSTRA(V)
X = V
END SUB
