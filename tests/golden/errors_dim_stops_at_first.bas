' DIM stops at its first error
DIM X AS BIT
DIM Y AS BIT
END
