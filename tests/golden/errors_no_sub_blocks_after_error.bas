' After an error the SUB blocks are not translated
DIM X AS BIT
SUB S
END
