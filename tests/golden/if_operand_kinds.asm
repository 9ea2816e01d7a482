        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
N       EQU 0x0E    ;BYTE(1-Byte)
R       EQU 0x0F    ;BYTE(1-Byte)
W#VLTx  EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0xFF
        MovWF Reg_TrisA
        MovLW 0xFF
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        MOVF X , W
        SUBLW 0x05
        BTFSS Reg_Status , Flag_Z
        GOTO @1
        MOVLW 0x01
        MOVWF R
@1:     MOVF X , W
        SUBLW 0xFF
        BTFSS Reg_Status , Flag_Z
        GOTO @2
        MOVLW 0x02
        MOVWF R
@2:     MOVF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @3
        RLF X , W
        BTFSS Reg_Status , Flag_C
        GOTO @3
        MOVLW 0x03
        MOVWF R
@3:     MOVF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @5
        RLF X , W
        BTFSS Reg_Status , Flag_C
        GOTO @4
@5:     MOVLW 0x04
        MOVWF R
@4:     MOVF N , W
        BTFSC Reg_Status , Flag_Z
        GOTO @6
        RLF N , W
        BTFSC Reg_Status , Flag_C
        GOTO @6
        MOVLW 0x05
        MOVWF R
@6:     MOVF Y , W
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @7
        BTFSC Reg_Status , Flag_C
        GOTO @7
        MOVLW 0x06
        MOVWF R
@7:     BTFSS Reg_Status , Flag_C
        GOTO @8
        MOVLW 0x07
        MOVWF R
@8:     MOVLW 0x03
        SUBWF Reg_PortA , W
        BTFSS Reg_Status , Flag_Z
        GOTO @9
        MOVLW 0x08
        MOVWF R
@9:     MOVF Reg_PortA , W
        SUBLW 0x03
        BTFSC Reg_Status , Flag_Z
        GOTO @10
        MOVLW 0x09
        MOVWF R
@10:    MOVLW 0x03
        SUBWF Reg_PortB , W
        BTFSC Reg_Status , Flag_Z
        GOTO @11
        BTFSC Reg_Status , Flag_C
        GOTO @11
        MOVLW 0x0A
        MOVWF R
@11:    BTFSS Reg_PortB , Bit_7
        GOTO @12
        MOVLW 0x0B
        MOVWF R
@12:    MOVF Reg_PortB , W
        BTFSC Reg_Status , Flag_Z
        GOTO @13
        BTFSC Reg_PortB , Bit_7
        GOTO @13
        MOVLW 0x0C
        MOVWF R
@13:    MOVF Reg_PortB , W
        SUBWF N , W
        BTFSS Reg_Status , Flag_Z
        GOTO @14
        MOVLW 0x0D
        MOVWF R
@14:    MOVF Reg_PortB , W
        SUBWF N , W
        BTFSC Reg_Status , Flag_Z
        GOTO $+3
        BTFSC Reg_Status , Flag_C
        GOTO @15
        MOVLW 0x0E
        MOVWF R
@15:    MOVF Reg_PortA , W
        BTFSC Reg_Status , Flag_Z
        GOTO @16
        MOVLW 0x0F
        MOVWF R
@16:    MOVLW 0x03
        SUBWF Reg_PortB , W
        BTFSC Reg_Status , Flag_Z
        GOTO $+3
        BTFSC Reg_Status , Flag_C
        GOTO @17
        MOVLW 0x10
        MOVWF R
@17:    MOVF Reg_PortB , W
        SUBWF N , W
        BTFSS Reg_Status , Flag_Z
        GOTO @18
        MOVLW 0x11
        MOVWF R
@18:    BTFSS Reg_PortA , Bit_4
        GOTO @19
        MOVLW 0x12
        MOVWF R
@19:    BTFSC Reg_PortB , Bit_0
        GOTO @20
        MOVLW 0x13
        MOVWF R
@20:    BTFSC Reg_PortB , Bit_0
        GOTO @21
        MOVLW 0x14
        MOVWF R
@21:    BTFSC Reg_PortB , Bit_0
        GOTO @22
        MOVLW 0x15
        MOVWF R
@22:    BTFSS Reg_PortB , Bit_3
        GOTO @23
        MOVLW 0x16
        MOVWF R
@23:    MOVLW 0x0A
        SUBWF X , W
        BTFSC Reg_Status , Flag_Z
        GOTO @26
        BTFSC Reg_Status , Flag_C
        GOTO @24
@26:    MOVLW 0x17
        MOVWF R
        GOTO @25
@24:    MOVLW 0x18
        MOVWF R
@25:    SLEEP
        GOTO $-1
        END


