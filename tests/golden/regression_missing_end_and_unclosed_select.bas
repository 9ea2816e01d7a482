' Regression: a program without END whose SELECT CASE is never closed.
' Normalisation reports the missing END and the SELECT CASE pass, which
' runs after the pre-passes without testing the flag, adds its own block
' right after it: both stay, in this order, and no report is made.
DIM SV AS BYTE
SELECT CASE SV
CASE 7
SV = 1
EN: