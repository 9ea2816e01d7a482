        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
I       EQU 0x0C    ;BYTE(1-Byte)
N       EQU 0x0D    ;BYTE(1-Byte)
S       EQU 0x0E    ;BYTE(1-Byte)
W#VLTx  EQU 0x0F    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF I
@1:     MOVF I , W
        ADDWF S , W
        MOVWF S
        MOVLW 0x01
        ADDWF I , F
        BTFSC Reg_Status , Flag_C  ;Overflow?
        GOTO @2
        MOVLW 0x0A
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @1
        BTFSS Reg_Status , Flag_C
        GOTO @1
@2:     MOVLW 0x0A
        MOVWF I
@3:     INCF S , F
        MOVLW 0xFF
        ADDWF I , F
        BTFSS Reg_Status , Flag_C
        GOTO @4
        MOVLW 0
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @3
        BTFSC Reg_Status , Flag_C
        GOTO @3
@4:     MOVF N , W
        MOVWF I
@5:     INCF S , F
        MOVF S , W
        SUBLW 0x64
        BTFSS Reg_Status , Flag_Z
        GOTO @11
        GOTO @6
@11:    MOVLW 0x02
        ADDWF I , F
        BTFSC Reg_Status , Flag_C
        GOTO @6
        MOVLW 0x14
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        BTFSS Reg_Status , Flag_C
        GOTO @5
@6:     MOVLW 0
        MOVWF I
@9:     MOVF I , W
        SUBLW 0x03
        BTFSS Reg_Status , Flag_Z
        GOTO @12
        GOTO @10
@12:    GOTO @9
@10:    MOVLW 0x01
        ADDWF I , F
        BTFSC Reg_Status , Flag_C
        GOTO @8
        MOVF N , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @9
        BTFSS Reg_Status , Flag_C
        GOTO @9
@8:     SLEEP
        GOTO $-1
        END


