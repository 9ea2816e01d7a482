' Regression: a DIM error, then a SELECT CASE on a value that is no
' variable. The SELECT CASE pass returned on the earlier error instead of
' adding its own block, as it does for an unclosed block.
DIM X AS BIT
SELECT CASE 5
CASE 1
X = 1
END SELECT
END
