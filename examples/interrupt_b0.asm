        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
STATO_A1 EQU 0x0C    ;BYTE(1-Byte)
I        EQU 0x0D    ;BYTE(1-Byte)
J        EQU 0x0E    ;BYTE(1-Byte)
W#VLTx   EQU 0x0F    ;BYTE(1-Byte)
W#1      EQU 0x10    ;BYTE(1-Byte)
W#2      EQU 0x11    ;BYTE(1-Byte)
W#3      EQU 0x12    ;BYTE(1-Byte)
        ORG 0
        GOTO @10
        NOP
        NOP
        NOP
        MOVWF W#1
        SWAPF W#1 , F
        SWAPF Reg_Status , W
        MOVWF W#2
        SWAPF W#VLTx , W
        MOVWF W#3
        BTFSS Reg_Intcon , Bit_1
        GOTO $+4
        CALL CAMBIA_A1
        BCF Reg_Intcon , Bit_1
@1:     SWAPF W#3 , W
        MOVWF W#VLTx
        SWAPF W#2 , W
        MOVWF Reg_Status
        SWAPF W#1 , W
        RETFIE
@10:    NOP
        BSF Reg_Status , Bit_5
        MovLW 0
        MovWF Reg_TrisA
        MovLW 0x01
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        BCF Reg_Intcon , Bit_1
        BSF Reg_Intcon , Bit_4
        BSF Reg_Intcon , Bit_7
        CLRF STATO_A1
        BCF Reg_PortA , Bit_1
@6:     BSF Reg_PortA , Bit_0
        CALL RITARDO
        BCF Reg_PortA , Bit_0
        CALL RITARDO
        GOTO @6
@7:     SLEEP
        GOTO $-1
CAMBIA_A1: MOVF STATO_A1 , W
        BTFSS Reg_Status , Flag_Z
        GOTO @8
        BSF Reg_PortA , Bit_1
        MOVLW 0x01
        MOVWF STATO_A1
        GOTO @9
@8:     BCF Reg_PortA , Bit_1
        CLRF STATO_A1
@9:     RETURN
RITARDO: MOVLW 0x01
        MOVWF I
@4:     MOVLW 0x01
        MOVWF J
@2:     MOVLW 0x3C
        MOVWF W#VLTx
        NOP
        DECFSZ W#VLTx , F
        GOTO $-2
        MOVLW 0x01
        ADDWF J , F
        BTFSC Reg_Status , Flag_C  ;Overflow?
        GOTO @3
        MOVLW 0x64
        SUBWF J , W
        BTFSC Reg_Status , Flag_Z
        GOTO @2
        BTFSS Reg_Status , Flag_C
        GOTO @2
@3:     MOVLW 0x01
        ADDWF I , F
        BTFSC Reg_Status , Flag_C  ;Overflow?
        GOTO @5
        MOVLW 0x14
        SUBWF I , W
        BTFSC Reg_Status , Flag_Z
        GOTO @4
        BTFSS Reg_Status , Flag_C
        GOTO @4
@5:     RETURN
        END

