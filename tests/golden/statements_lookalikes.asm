        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
GOTOX   EQU 0x0C    ;BYTE(1-Byte)
WAITING EQU 0x0D    ;BYTE(1-Byte)
STOPX   EQU 0x0E    ;BYTE(1-Byte)
SETX    EQU 0x0F    ;BYTE(1-Byte)
CLEARX  EQU 0x10    ;BYTE(1-Byte)
SWAPX   EQU 0x11    ;BYTE(1-Byte)
W#VLTx  EQU 0x12    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF GOTOX
        MOVLW 0x05
        MOVWF WAITING
        MOVF GOTOX , W
        MOVWF STOPX
        MOVLW 0x02
        MOVWF SETX
        MOVLW 0x03
        MOVWF CLEARX
        MOVLW 0x04
        MOVWF SWAPX
        SLEEP
        GOTO $-1
        END


