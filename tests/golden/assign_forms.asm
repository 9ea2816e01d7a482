        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
P       EQU 0x0E    ;BYTE(1-Byte)
W#D1    EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0xFF
        MOVWF X
        CLRF X
        MOVLW 0x1F
        MOVWF X
        MOVLW 0x05
        MOVWF X
        MOVLW 0x07
        MOVWF X
        MOVLW 0x10
        MOVWF X
        Movf Reg_Tmr0 , W
        Movwf X
        INCF X , F
        MOVLW 0x02
        ADDWF X , F
        MOVLW 0x03
        SUBWF Y , W
        MOVWF X
        MOVF Y , W
        SUBLW 0x05
        MOVWF Y
        MOVLW 0x05
        ADDWF Y , W
        MOVWF X
        MOVLW 0x2C
        ADDWF Y , W
        MOVWF X
        MOVLW 0x0F
        ANDWF P , W
        MOVWF X
        MOVLW 0x2C
        XORWF P , W
        MOVWF X
        MOVLW 0xFF
        XORWF P , W
        MOVWF X
        MOVLW 0xFF
        MOVWF W#D1
        COMF W#D1 , W
        MOVWF X
        MOVLW 0x0F
        MOVWF W#D1
        COMF W#D1 , W
        MOVWF X
        SLEEP
        GOTO $-1
        END


