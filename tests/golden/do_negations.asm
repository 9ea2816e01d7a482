        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
W#VLTx  EQU 0x0D    ;BYTE(1-Byte)
        ORG 0
@1:     INCF X , F
        MOVF X , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        GOTO @1
@3:     MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @12
        GOTO @5
@12:    MOVLW 0x01
        SUBWF X , F
        GOTO @3
@5:     MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @7
        INCF X , F
        GOTO @5
@7:     INCF X , F
        MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @14
        GOTO @9
@14:    GOTO @7
@9:     MOVLW 0x01
        SUBWF X , F
        MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @10
        GOTO @9
@10:    SLEEP
        GOTO $-1
        END


