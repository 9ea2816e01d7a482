' Port A has no line 5
CONFIG A5 AS INPUT
END
