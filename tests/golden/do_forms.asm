        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
@1:     MOVLW 0x05
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @3
        BTFSC Reg_Status , Flag_C
        GOTO @3
        INCF X , F
        GOTO @1
@3:     MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @14
        GOTO @5
@14:    MOVLW 0x01
        SUBWF X , F
        GOTO @3
@5:     INCF X , F
        MOVF X , W
        SUBLW 0x09
        BTFSS Reg_Status , Flag_Z
        GOTO @15
        GOTO @9
@15:    GOTO @5
@9:     INCF Y , F
@7:     MOVF Y , W
        SUBLW 0x03
        BTFSS Reg_Status , Flag_Z
        GOTO @16
        GOTO @8
@16:    INCF Y , F
        MOVF Y , W
        SUBLW 0x02
        BTFSS Reg_Status , Flag_Z
        GOTO @17
        GOTO @8
@17:    GOTO @7
@8:     MOVLW 0x14
        SUBWF Y , W
        BTFSC Reg_Status , Flag_Z
        GOTO @18
        BTFSS Reg_Status , Flag_C
        GOTO @18
        GOTO @11
@18:    GOTO @9
@11:    INCF X , F
        MOVF X , W
        SUBLW 0x07
        BTFSS Reg_Status , Flag_Z
        GOTO @19
        GOTO @12
@19:    GOTO @11
@12:    SLEEP
        GOTO $-1
        END


