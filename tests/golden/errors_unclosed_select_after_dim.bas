' After a DIM error an unclosed SELECT CASE still adds its block
DIM X AS BIT
SELECT CASE X
CASE 1
END
