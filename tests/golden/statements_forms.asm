        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
W#VLTx  EQU 0x0D    ;BYTE(1-Byte)
        ORG 0
        BCF Reg_Status , Flag_C
        BSF Reg_Status , Flag_C
        BCF Reg_Status , Flag_C
        BCF Reg_PortB , Bit_7
        MOVLW 0
        MOVWF Reg_PortA
        BSF Reg_Status , Bit_5
        MOVLW 0
        MOVWF Reg_TrisA
        BCF Reg_Status2 , Bit_5
        BSF Reg_Status , Bit_5
        MOVF Reg_TrisB , W
        IORLW 0x08
        MOVWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        BSF Reg_Status , Bit_5
        MOVF Reg_TrisB , W
        ANDLW 0x7F
        MOVWF Reg_TrisB
        MOVLW 0
        MOVWF Reg_TrisA
        BCF Reg_Status2 , Bit_5
        RRF X , F
LAB1: NOP
        MOVLW 0x1F
LAB:    MOVWF X
        CLRW
LAB2:   NOP
        RETURN
        BCF Reg_Intcon , Bit_5
        BSF Reg_Status , Bit_5
        BSF Reg_Option , Bit_5
        BCF Reg_Status2, Bit_5
        BSF Reg_Intcon , Bit_5
        BCF Reg_Option , Bit_4
        BSF Reg_Option , Bit_6
        BCF Reg_Intcon , Bit_3
        MOVLW 0x21
        MOVWF Reg_Eeadr
        MOVLW 0x0C
        CALL @@WRT
        SLEEP
        GOTO $-1
@@WRT:  MOVWF Reg_Eedata
        BTFSS Reg_Intcon , Bit_7
        GOTO $+0x11
        BCF Reg_Intcon , Bit_7
        BSF Reg_Status , Bit_5
        BCF Reg_Eecon1 , Bit_4
        BSF Reg_Eecon1 , Bit_2
        MOVLW 0x55
        MOVWF Reg_Eecon2
        MOVLW 0xAA
        MOVWF Reg_Eecon2
        BSF Reg_Eecon1 , Bit_1
        BTFSS Reg_Eecon1 , Bit_4
        GOTO $-1
        BCF Reg_Eecon1 , Bit_4
        BCF Reg_Eecon1 , Bit_2
        BCF Reg_Status2 , Bit_5
        BSF Reg_Intcon , Bit_7
        GOTO $+0x0E
        BSF Reg_Status , Bit_5
        BCF Reg_Eecon1 , Bit_4
        BSF Reg_Eecon1 , Bit_2
        MovLW 0x55
        MovWF Reg_Eecon2
        MovLW 0xAA
        MovWF Reg_Eecon2
        BSF Reg_Eecon1 , Bit_1
        BTFSS Reg_Eecon1 , Bit_4
        GOTO $-1
        BCF Reg_Eecon1 , Bit_4
        BCF Reg_Eecon1 , Bit_2
        BCF Reg_Status2 , Bit_5
        INCF Reg_Eeadr , F
        RETURN
        END


