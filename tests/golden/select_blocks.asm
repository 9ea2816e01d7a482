        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x03
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @4
        BTFSC Reg_Status , Flag_C
        GOTO @4
        GOTO @1
@4:     MOVLW 0x07
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        BTFSS Reg_Status , Flag_C
        GOTO @5
        GOTO @1
@5:     MOVLW 0x01
        MOVWF Y
@1:     MOVF Y , W
        SUBLW 0x02
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        MOVLW 0x01
        MOVWF X
@3:     SLEEP
        GOTO $-1
        END


