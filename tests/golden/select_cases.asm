        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        MOVF X , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @4
        MOVLW 0x02
        MOVWF Y
        GOTO @1
@4:     MOVLW 0x03
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        BTFSC Reg_Status , Flag_C
        GOTO @5
        GOTO @2
@5:     MOVLW 0x07
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @6
        BTFSS Reg_Status , Flag_C
        GOTO @6
        GOTO @2
@6:     MOVLW 0x03
        MOVWF Y
        MOVF X , W
        SUBLW 0x05
        BTFSS Reg_Status , Flag_Z
        GOTO @7
        GOTO @1
@7:     MOVLW 0x04
        MOVWF Y
        GOTO @1
@2:     MOVF X , W
        SUBLW 0x0A
        BTFSS Reg_Status , Flag_Z
        GOTO @8
        GOTO @3
@8:     MOVF X , W
        SUBLW 0x14
        BTFSS Reg_Status , Flag_Z
        GOTO @9
        GOTO @3
@9:     MOVF X , W
        SUBLW 0x1E
        BTFSS Reg_Status , Flag_Z
        GOTO @10
@3:     MOVLW 0x05
        MOVWF Y
        GOTO @1
@10:    MOVLW 0xC8
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @11
        BTFSS Reg_Status , Flag_C
        GOTO @11
        MOVLW 0x06
        MOVWF Y
        GOTO @1
@11:    MOVLW 0x07
        MOVWF Y
@1:     SLEEP
        GOTO $-1
        END


