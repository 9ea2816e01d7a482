' A Windows-1252 file (the string holds è and the euro sign), its lines' ended by CR, LF or CR LFDIM X AS BYTE
DATA "è€"
X = GETDATA(2)

END