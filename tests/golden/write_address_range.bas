' The data EEPROM has 64 bytes: a string written from address 62 would run past 63
WRITE "ABC", 62
END
