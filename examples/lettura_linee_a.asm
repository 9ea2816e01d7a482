        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
VALORE  EQU 0x0C    ;BYTE(1-Byte)
W#VLTx  EQU 0x0D    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0xFF
        MovWF Reg_TrisA
        MovLW 0
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
@1:     CLRF VALORE
        BTFSS Reg_PortA , Bit_0
        GOTO @3
        INCF VALORE , F
@3:     BTFSS Reg_PortA , Bit_1
        GOTO @4
        MOVLW 0x02
        ADDWF VALORE , F
@4:     BTFSS Reg_PortA , Bit_2
        GOTO @5
        MOVLW 0x04
        ADDWF VALORE , F
@5:     BTFSS Reg_PortA , Bit_3
        GOTO @6
        MOVLW 0x08
        ADDWF VALORE , F
@6:     BTFSS Reg_PortA , Bit_4
        GOTO @7
        MOVLW 0x10
        ADDWF VALORE , F
@7:     MOVF VALORE , W
        MOVWF Reg_PortB
        MOVF VALORE , W
        SUBLW 0x1B
        BTFSS Reg_Status , Flag_Z
        GOTO @8
        GOTO @2
@8:     GOTO @1
@2:     SLEEP
        GOTO $-1
        END


