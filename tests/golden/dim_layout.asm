        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
CONTATORE EQU 0x0C    ;BYTE(1-Byte)
BUF       EQU 0x0D    ;BYTE(4-Byte)
K         EQU 0x11    ;BYTE(1-Byte)
I         EQU 0x12    ;INTEGER(2-Byte)
L         EQU 0x14    ;LONG(8-Byte)
F1        EQU 0x1C    ;SINGLE(4-Byte)
T         EQU 0x20    ;WORD(6-Byte)
W#VLTx    EQU 0x26    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF CONTATORE
        CLRF K
        SLEEP
        GOTO $-1
        END


