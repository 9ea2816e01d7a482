' Normalisation: comments, case, blanks and literals
dim x, y as byte      ' two bytes
config b as output
x = b'00001010'       ' binary
y = 0x1f
x	=	asc("A")
inizio: x = x + 1 : y = y + 1
if x = 1 then y = 2 else y = 3
output port b, x
output b3, 1
output b4, x
goto inizio
end
