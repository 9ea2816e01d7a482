        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
A       EQU 0x0D    ;BYTE(1-Byte)
Y       EQU 0x0E    ;BYTE(1-Byte)
C       EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF X
        MOVF X , W
        MOVWF Reg_Eeadr
        MOVLW 0x48
        CALL @@WRT
        MOVLW 0x69
        CALL @@WRT
        MOVLW 0x20
        CALL @@WRT
        MOVLW 0x20
        CALL @@WRT
        MOVLW 0x54
        CALL @@WRT
        MOVLW 0x68
        CALL @@WRT
        MOVLW 0x65
        CALL @@WRT
        MOVLW 0x72
        CALL @@WRT
        MOVLW 0x65
        CALL @@WRT
        MOVF A , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @1
        MOVLW 0x02
        MOVWF X
@1:     MOVLW 0x01
        MOVWF X
        CLRF X
        MOVLW 0x61
        MOVWF X
        MOVLW 0xE8
        MOVWF X
        BSF Reg_PortB , Bit_3
        BSF Reg_Intcon , Bit_3
        BCF Reg_Intcon , Bit_3
LOOP1:  MOVLW 0x01
        MOVWF A
        MOVLW 0x01
        MOVWF A
        MOVF A , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @2
        MOVLW 0x02
        MOVWF Y
@2:     MOVF A , W
        SUBLW 0x01
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        MOVLW 0x01
        MOVWF C
        GOTO @4
@3:     MOVLW 0x02
        MOVWF Y
@4:     MOVLW 0x03
        MOVWF C
        BCF Reg_PortA , Bit_0
        GOTO LOOP1
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


