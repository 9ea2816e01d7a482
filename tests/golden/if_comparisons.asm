        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
R       EQU 0x0E    ;BYTE(1-Byte)
W#VLTx  EQU 0x0F    ;BYTE(1-Byte)
        ORG 0
        MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @1
        MOVLW 0x01
        MOVWF R
@1:     MOVF X , W
        SUBWF Y , W
        BTFSC Reg_Status , Flag_Z
        GOTO @2
        MOVLW 0x02
        MOVWF R
        GOTO @3
@2:     MOVLW 0x03
        MOVWF R
@3:     MOVLW 0x0A
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        BTFSC Reg_Status , Flag_C
        GOTO @4
@5:     MOVLW 0x04
        MOVWF R
@4:     MOVF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @6
        RLF X , W
        BTFSC Reg_Status , Flag_C
        GOTO @6
        MOVLW 0x05
        MOVWF R
@6:     MOVF Y , W
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @9
        BTFSS Reg_Status , Flag_C
        GOTO @8
@9:     MOVLW 0xC8
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @8
        BTFSC Reg_Status , Flag_C
        GOTO @8
        MOVLW 0x06
        MOVWF R
@8:     MOVF X , W
        SUBLW 0x00
        BTFSS Reg_Status , Flag_Z
        GOTO @10
        MOVLW 0x07
        MOVWF R
@10:    SLEEP
        GOTO $-1
        END


