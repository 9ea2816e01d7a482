        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
A       EQU 0x0C    ;BYTE(1-Byte)
BV      EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF A
CLEAR:  MOVLW 0x02
        MOVWF BV
        SLEEP
        GOTO $-1
        END


