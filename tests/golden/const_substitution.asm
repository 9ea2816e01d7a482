        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
CONTA   EQU 0x0C    ;BYTE(1-Byte)
LIMITE2 EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x0A
        MOVWF CONTA
        MOVLW 0x01
        ADDWF CONTA , W
        MOVWF LIMITE2
        BSF Reg_PortB , Bit_3
        MOVF CONTA , W
        SUBLW 0x0A
        BTFSS Reg_Status , Flag_Z
        GOTO @1
        BCF Reg_PortB , Bit_3
@1:     SLEEP
        GOTO $-1
        END


