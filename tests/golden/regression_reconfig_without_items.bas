' Regression: nothing between RECONFIG and AS. The item text was taken with
' a length of -1, read as "to the end of the line", and "AS OUTPUT" was
' reported as a bad list of ports.
RECONFIG AS OUTPUT
END
