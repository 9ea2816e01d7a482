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
        RETLW 0xE8
        RETLW 0x80
@1:
        MOVLW 0x02
        CALL @@GD
        MOVWF X
        SLEEP
        GOTO $-1
        END


