        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
I       EQU 0x0C    ;BYTE(1-Byte)
A1      EQU 0x0D    ;BYTE(1-Byte)
B1      EQU 0x0E    ;BYTE(1-Byte)
ST      EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        MOVF A1 , W
        MOVWF I
@1:     MOVF I , W
        SUBLW 0x05
        BTFSS Reg_Status , Flag_Z
        GOTO @5
        GOTO @2
@5:     INCF I , F
        MOVF B1 , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @7
        BTFSC Reg_Status , Flag_C
        GOTO @2
@7:     GOTO @1
@2:     MOVF A1 , W
        MOVWF I
@3:     INCF A1 , F
        MOVLW 0x02
        SUBWF I , F
        MOVF B1 , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @9
        BTFSS Reg_Status , Flag_C
        GOTO @8
@9:     GOTO @3
@8:     MOVF A1 , W
        MOVWF I
@4:     INCF A1 , F
        MOVF ST , W
        ADDWF I , W
        MOVWF I
        MOVF ST , W
        BTFSC Reg_Status , Flag_Z
        GOTO @14
        RLF ST , W
        BTFSC Reg_Status , Flag_C
        GOTO @14
        MOVF B1 , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @11
        BTFSC Reg_Status , Flag_C
        GOTO @10
@11:    GOTO @4
@10:    GOTO @15
@14:    MOVF B1 , W
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @13
        BTFSS Reg_Status , Flag_C
        GOTO @15
@13:    GOTO @4
@15:    SLEEP
        GOTO $-1
        END


