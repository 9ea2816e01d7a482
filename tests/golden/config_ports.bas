' CONFIG: lists, single lines and whole ports accumulate into one TRIS value per port
CONFIG B0, B1, A AS INPUT
CONFIG B1 AS OUTPUT
CONFIG A4 AS OUTPUT
CONFIG B7 AS INPUT
SET B3
END
