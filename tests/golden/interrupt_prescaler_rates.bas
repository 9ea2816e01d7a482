' SET TIMER RATE: each ratio sets its own prescaler bits; a code from 0 to 8 too
SET TIMER RATE TO 1/2
SET TIMER RATE TO 1/8
SET TIMER RATE TO 3
SET TIMER RATE TO 1/256
END
