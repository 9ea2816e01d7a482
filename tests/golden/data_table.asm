        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
K       EQU 0x0C    ;BYTE(1-Byte)
V       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
        ORG 0
        GOTO @1
@@GD:   CLRF Reg_Pclath
        ADDLW 3
        ADDwf Reg_Pcl, W
        BTFSC Reg_Status, Bit_0
        Incf  Reg_Pclath , F
        MOVWF Reg_Pcl
        NOP
        RETLW 0x03
        RETLW 0x7F
        RETLW 0x4F
        RETLW 0x6B
        RETLW 0x00
        RETLW 0x02
@1:
        MOVLW 0x01
        CALL @@GD
        MOVWF V
        MOVLW 0x04
        MOVWF K
        MovLW 0x07
        SubWF K , W
        BTFSS Reg_Status, Flag_C
        Goto $+3
        CLRW
        Goto $+4
        MOVF K , W
        BTFSS Reg_Status, Flag_Z
        CALL @@GD
        MOVWF V
        SLEEP
        GOTO $-1
        END


