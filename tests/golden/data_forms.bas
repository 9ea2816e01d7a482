' DATA and WRITE: strings holding a comma and a letter beyond ASCII, a
' negative value, decimals rounded to even, a name read as 0
DATA "A,B", 0, &HFF, "è"
DATA -1, 1.5, 2.5, X
DIM X AS BYTE
X = GETDATA(9)
WRITE "A,è" , X, &H10, 2
END
