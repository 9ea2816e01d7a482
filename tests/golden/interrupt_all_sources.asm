        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
RICARICA EQU 0x0C    ;BYTE(1-Byte)
N        EQU 0x0D    ;BYTE(1-Byte)
W#VLTx   EQU 0x0E    ;BYTE(1-Byte)
W#1      EQU 0x0F    ;BYTE(1-Byte)
W#2      EQU 0x10    ;BYTE(1-Byte)
W#3      EQU 0x11    ;BYTE(1-Byte)
        ORG 0
        GOTO @2
        NOP
        NOP
        NOP
        MOVWF W#1
        SWAPF W#1 , F
        SWAPF Reg_Status , W
        MOVWF W#2
        SWAPF W#VLTx , W
        MOVWF W#3
        BTFSS Reg_Intcon , Bit_2
        GOTO $+7
        CALL TEMPO
        MOVF RICARICA , W
        MOVWF Reg_Tmr0
        BCF Reg_Intcon , Bit_2
        BSF Reg_Intcon , Bit_5
        GOTO @1
        BTFSS Reg_Intcon , Bit_1
        GOTO $+4
        CALL ESTERNO
        BCF Reg_Intcon , Bit_1
        GOTO @1
        BTFSS Reg_Intcon , Bit_0
        GOTO $+6
        CALL LINEA
        MOVF Reg_PortB , W
        BCF Reg_Intcon , Bit_0
        BSF Reg_Intcon , Bit_3
@1:     SWAPF W#3 , W
        MOVWF W#VLTx
        SWAPF W#2 , W
        MOVWF Reg_Status
        SWAPF W#1 , W
        RETFIE
@2:     NOP
        BSF Reg_Status , Bit_5
        BSF Reg_Option , Bit_0
        BSF Reg_Option , Bit_1
        BSF Reg_Option , Bit_2
        BCF Reg_Option , Bit_3
        BSF Reg_Option , Bit_4
        BCF Reg_Option , Bit_5
        BCF Reg_Status2, Bit_5
        CLRF Reg_Tmr0
        BCF Reg_Intcon , Bit_2
        BSF Reg_Intcon , Bit_5
        BCF Reg_Intcon , Bit_1
        BSF Reg_Intcon , Bit_4
        BCF Reg_Intcon , Bit_0
        BSF Reg_Intcon , Bit_3
        BSF Reg_Intcon , Bit_7
        MOVLW 0x38
        MOVWF RICARICA
        BSF Reg_Intcon , Bit_4
        BCF Reg_Intcon , Bit_5
        BSF Reg_Status , Bit_5
        BSF Reg_Option , Bit_3
        BCF Reg_Status2, Bit_5
        BSF Reg_Intcon , Bit_5
        CLRF Reg_Tmr0
        SLEEP
        SLEEP
        GOTO $-1
TEMPO:  INCF N , F
        RETURN
ESTERNO: MOVLW 0x0A
        ADDWF N , F
        RETURN
LINEA:  CLRF N
        RETURN
        END

