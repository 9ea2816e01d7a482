        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
W#VLTx  EQU 0x0C    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0x01
        MovWF Reg_TrisA
        MovLW 0
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
@1:     BTFSS Reg_PortA , Bit_0
        GOTO @3
        BSF Reg_PortB , Bit_5
        GOTO @4
@3:     BCF Reg_PortB , Bit_5
@4:     GOTO @1
@2:     SLEEP
        GOTO $-1
        END


