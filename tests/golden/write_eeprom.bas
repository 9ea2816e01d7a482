' WRITE strings, numbers and variables, then READ them back
DIM V, INDIRIZZO AS BYTE
V = 7
INDIRIZZO = 10
WRITE "Sì", 255, V, 0
WRITE V, INDIRIZZO
V = READ(2)
V = READ(INDIRIZZO)
END
