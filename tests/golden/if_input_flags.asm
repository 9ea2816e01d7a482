        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
R       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0xFF
        MovWF Reg_TrisA
        MovLW 0xFF
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        MOVLW 0x03
        SUBWF Reg_PortB , W
        BTFSC Reg_Status , Flag_Z
        GOTO $+3
        BTFSS Reg_Status , Flag_C
        GOTO @1
        MOVLW 0x01
        MOVWF R
@1:     MOVF Reg_PortA , W
        BTFSC Reg_Status , Flag_Z
        GOTO $+3
        BTFSS Reg_PortA , Bit_7
        GOTO @2
        MOVLW 0x02
        MOVWF R
@2:     MOVLW 0x03
        SUBWF Reg_PortB , W
        BTFSC Reg_Status , Flag_Z
        GOTO @3
        BTFSS Reg_Status , Flag_C
        GOTO @3
        MOVLW 0x03
        MOVWF R
@3:     MOVF Reg_PortB , W
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @4
        BTFSC Reg_Status , Flag_C
        GOTO @4
        MOVLW 0x04
        MOVWF R
@4:     BTFSS Reg_PortB , Bit_0
        GOTO @5
        MOVLW 0x05
        MOVWF R
@5:     MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO $+4
        BTFSC Reg_PortB , Bit_7
        GOTO @6
        GOTO $+3
        BTFSS Reg_PortB , Bit_7
        GOTO @6
        MOVLW 0x06
        MOVWF R
@6:     BTFSC Reg_Status , Flag_C
        GOTO @7
        MOVLW 0x07
        MOVWF R
@7:     BTFSS Reg_Status , Flag_Z
        GOTO @8
        MOVLW 0x08
        MOVWF R
        GOTO @9
@8:     MOVLW 0x09
        MOVWF R
@9:     SLEEP
        GOTO $-1
        END


