' A UTF-8 file with a byte-order mark: è and the euro sign
DIM X AS BYTE
DATA "è€"
X = GETDATA(2)
END
