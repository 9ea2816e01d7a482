        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
I       EQU 0x0C    ;BYTE(1-Byte)
A1      EQU 0x0D    ;BYTE(1-Byte)
N       EQU 0x0E    ;BYTE(1-Byte)
S       EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0
        MOVWF I
@1:     INCF S , F
        MOVLW 0x05
        ADDWF I , F
        BTFSC Reg_Status , Flag_C  ;Overflow?
        GOTO @2
        MOVLW 0xFF
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @1
        BTFSS Reg_Status , Flag_C
        GOTO @1
@2:     MOVF A1 , W
        MOVWF I
@3:     INCF S , F
        MOVLW 0x82
        ADDWF I , F
        BTFSS Reg_Status , Flag_C
        GOTO @4
        MOVLW 0
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @3
        BTFSC Reg_Status , Flag_C
        GOTO @3
@4:     MOVLW 0xC8
        MOVWF I
@5:     INCF S , F
        MOVLW 0xFD
        ADDWF I , F
        BTFSS Reg_Status , Flag_C
        GOTO @6
        MOVF N , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        BTFSC Reg_Status , Flag_C
        GOTO @5
@6:     MOVLW 0x01
        MOVWF I
@7:     INCF S , F
        MOVLW 0x80
        ADDWF I , F
        MOVF N , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @14
        BTFSC Reg_Status , Flag_C
        GOTO @13
@14:    GOTO @7
@13:    MOVLW 0x01
        MOVWF I
@8:     INCF A1 , F
        MOVF S , W
        ADDWF I , W
        MOVWF I
        MOVF S , W
        BTFSC Reg_Status , Flag_Z
        GOTO @19
        RLF S , W
        BTFSC Reg_Status , Flag_C
        GOTO @19
        MOVLW 0x0A
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @16
        BTFSC Reg_Status , Flag_C
        GOTO @15
@16:    GOTO @8
@15:    GOTO @20
@19:    MOVLW 0x0A
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @18
        BTFSS Reg_Status , Flag_C
        GOTO @20
@18:    GOTO @8
@20:    MOVF A1 , W
        MOVWF I
@11:    MOVF S , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @10
        GOTO @10
        GOTO @11
@12:    GOTO @10
        INCF I , F
        MOVF N , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @23
        BTFSC Reg_Status , Flag_C
        GOTO @10
@23:    GOTO @11
@10:    SLEEP
        GOTO $-1
        END


