        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        MOVLW 0x0A
        MOVWF X
        MOVLW 0x1F
        MOVWF Y
        MOVLW 0x41
        MOVWF X
INIZIO: INCF X , F
        INCF Y , F
        MOVF X , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @1
        MOVLW 0x02
        MOVWF Y
        GOTO @2
@1:     MOVLW 0x03
        MOVWF Y
@2:     MOVF X , W
        MOVWF Reg_PortB
        BSF Reg_PortB , Bit_3
        MOVF X , W
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        BCF Reg_PortB , Bit_4
        GOTO @4
@3:     BSF Reg_PortB , Bit_4
@4:     GOTO INIZIO
        SLEEP
        GOTO $-1
        END


