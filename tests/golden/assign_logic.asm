        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
P       EQU 0x0D    ;BYTE(1-Byte)
Q       EQU 0x0E    ;BYTE(1-Byte)
W#D1    EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x0F
        ANDWF P , W
        MOVWF X
        MOVLW 0x0F
        ANDWF P , W
        MOVWF X
        MOVLW 0x0C
        MOVWF X
        MOVLW 0x03
        IORWF X , F
        MOVF P , W
        XORWF Q , W
        MOVWF X
        MOVF P , W
        IORWF Q , W
        MOVWF X
        COMF X , F
        MOVF P , W
        MOVWF W#D1
        COMF W#D1 , W
        MOVWF X
        CLRF W#D1
        COMF W#D1 , W
        MOVWF X
        SLEEP
        GOTO $-1
        END


