        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
CONTA   EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
W#VLTx  EQU 0x0E    ;BYTE(1-Byte)
W#1     EQU 0x0F    ;BYTE(1-Byte)
W#2     EQU 0x10    ;BYTE(1-Byte)
W#3     EQU 0x11    ;BYTE(1-Byte)
        ORG 0
        GOTO @5
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
        CALL TICK
        MOVLW 0x2
        MOVWF Reg_Tmr0
        BCF Reg_Intcon , Bit_2
        BSF Reg_Intcon , Bit_5
@1:     SWAPF W#3 , W
        MOVWF W#VLTx
        SWAPF W#2 , W
        MOVWF Reg_Status
        SWAPF W#1 , W
        RETFIE
@@GD:   CLRF Reg_Pclath
        ADDLW 3
        ADDwf Reg_Pcl, W
        BTFSC Reg_Status, Bit_0
        Incf  Reg_Pclath , F
        MOVWF Reg_Pcl
        NOP
        RETLW 0x01
        RETLW 0x02
        RETLW 0x03
@5:     NOP
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
        BSF Reg_Intcon , Bit_7
START:
@2:     MOVLW 0x03
        CALL @@GD
        MOVWF Y
        MOVF Y , W
        SUBLW 0x03
        BTFSS Reg_Status , Flag_Z
        GOTO @4
        GOTO START
@4:     GOTO @2
LUNGAETICHETTA: GOTO @2
        SLEEP
        GOTO $-1
TICK:   INCF CONTA , F
        RETURN
        END

