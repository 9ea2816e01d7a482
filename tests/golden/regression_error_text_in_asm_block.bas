' An ASM block copies its lines as they are, even the text of an error
' block: the translation still succeeds (the fuzzer's check once said no).
ASM{
NOP ; <*> ERRORE
}
END
