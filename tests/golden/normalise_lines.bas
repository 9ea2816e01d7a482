' Normalisation of single lines: quoted text in comments and strings, ENDIF,
' binary and ASC() literals, 0x in expressions, LINE, labels and
' pieces of a split line, OUTPUT of a single line, single-line IF
dim x, a, y, c as byte
x = 1 ' it's "quoted"
write "Hi  There" , x
if a = 1 then
x = 2
ENDIF
x = b'1' + b'10'
x = b''
x = asc( "a" ) + asc(" ")
x = asc("è")
set line b3
set line interrupt on
set line  interrupt off
loop1:
a = 1:
a = 1 : if a = 1 then y = 2
if a = 1 then c = 1 else y = 2 : c = 3
output a0 , 0
goto loop1
end
