        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
F2      EQU 0x0C    ;FLOAT(4-Byte)
BUF     EQU 0x10    ;INTEGER(8-Byte)
H       EQU 0x18    ;BYTE(2-Byte)
K       EQU 0x1A    ;BYTE(4-Byte)
X       EQU 0x1E    ;BYT(1-Byte)
Y       EQU 0x1F    ;GER(4-Byte)
P       EQU 0x23    ;WORD(2-Byte)
Q       EQU 0x25    ;WORD(2-Byte)
W#VLTx  EQU 0x27    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF X
        SLEEP
        GOTO $-1
        END


