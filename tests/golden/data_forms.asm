        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
W#VLTx  EQU 0x0D    ;BYTE(1-Byte)
        ORG 0
        GOTO @1
@@GD:   CLRF Reg_Pclath
        ADDLW 3
        ADDwf Reg_Pcl, W
        BTFSC Reg_Status, Bit_0
        Incf  Reg_Pclath , F
        MOVWF Reg_Pcl
        NOP
        RETLW 0x41
        RETLW 0x2C
        RETLW 0x42
        RETLW 0
        RETLW 0xFF
        RETLW 0xE8
        RETLW 0xFF
        RETLW 0x02
        RETLW 0x02
        RETLW 0
@1:
        MOVLW 0x09
        CALL @@GD
        MOVWF X
        MOVLW 0x02
        MOVWF Reg_Eeadr
        MOVLW 0x41
        CALL @@WRT
        MOVLW 0x2C
        CALL @@WRT
        MOVLW 0xE8
        CALL @@WRT
        MOVF X , W
        CALL @@WRT
        MOVLW 0x10
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


