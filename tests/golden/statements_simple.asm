        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
W#VLTy  EQU 0x0F    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
INIZIO: SWAPF X , F
        MOVF X , W
        MOVWF W#VLTx
        MOVF Y , W
        MOVWF X
        MOVF W#VLTx , W
        MOVWF Y
        MOVLW 0x1F
        CLRW
        MOVWF Y
        CALL MOSTRA
        BCF Reg_Status , Flag_C
        CLRF Reg_PortB
        BCF Reg_PortA , Bit_2
        MOVLW 0xFF
        MOVWF Reg_PortB
        MOVF X , W
        MOVWF Reg_PortA
        BSF Reg_Status , Bit_5
        MOVLW 0xff
        MOVWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        BSF Reg_Status , Bit_5
        MOVF Reg_TrisB , W
        ANDLW 0xF7
        MOVWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        BSF Reg_Status , Bit_5
        MOVF Reg_TrisB , W
        IORLW 0x01
        MOVWF Reg_TrisB
        MOVLW 0xFF
        MOVWF Reg_TrisA
        BCF Reg_Status2 , Bit_5
        BCF Reg_PortB , Bit_7
        CLRF Reg_PortA
        BSF Reg_PortB , Bit_3
        MOVLW 0xFF
        MOVWF Reg_PortA
        BSF Reg_Status , Flag_C
        RLF X , F
        RLF X , F
        RLF X , F
        RRF X , F
        BCF Reg_Status , Flag_C
        RRF Y , F
        BCF Reg_Status , Flag_C
        RRF Y , F
        BCF Reg_Status , Flag_C
        RLF Y , F
        NOP
        NOP
        NOP
        NOP
        NOP
        NOP
        MOVLW 0x06
        MOVWF W#VLTx
        NOP
        DECFSZ W#VLTx , F
        GOTO $-2
        MOVF X , W
        MOVWF W#VLTx
        NOP
        DECFSZ W#VLTx , F
        GOTO $-2
        MOVLW 0x0A
        MOVWF W#VLTy
        MOVF Y , W
        MOVWF W#VLTx
        NOP
        DECFSZ W#VLTx , F
        GOTO $-2
        DECFSZ W#VLTy , F
        GOTO $-6
        SLEEP
        GOTO INIZIO
        SLEEP
        GOTO $-1
MOSTRA: MOVF X , W
        MOVWF Reg_PortB
        RETURN
        END


