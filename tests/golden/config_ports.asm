        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
W#VLTx  EQU 0x0C    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0xEF
        MovWF Reg_TrisA
        MovLW 0x81
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        BSF Reg_PortB , Bit_3
        SLEEP
        GOTO $-1
        END


