' Both counts of a double WAIT lie between 1 and 255
WAIT 10, 300
END
