' The prescaler divides only by powers of two from 2 to 256
SET TIMER RATE TO 1/3
END
