        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
I       EQU 0x0D    ;BYTE(1-Byte)
W#D1    EQU 0x0E    ;BYTE(1-Byte)
W#D2    EQU 0x0F    ;BYTE(1-Byte)
W#D3    EQU 0x10    ;BYTE(1-Byte)
W#VLTx  EQU 0x11    ;BYTE(1-Byte)
        ORG 0
        GOTO @1
@@GD:   CLRF Reg_Pclath
        ADDLW 3
        ADDwf Reg_Pcl, W
        BTFSC Reg_Status, Bit_0
        Incf  Reg_Pclath , F
        MOVWF Reg_Pcl
        NOP
        RETLW 0x0A
        RETLW 0x14
        RETLW 0x1E
@1:
        MOVF I , W
        CALL @@DV10
        MOVWF X
        CALL @@DV10C
        MOVWF I
        MOVLW 0x02
        CALL @@GD
        MOVWF X
        MovLW 0x04
        SubWF I , W
        BTFSS Reg_Status, Flag_C
        Goto $+3
        CLRW
        Goto $+4
        MOVF I , W
        BTFSS Reg_Status, Flag_Z
        CALL @@GD
        MOVWF X
        MOVLW 0x05
        CALL @@RD
        MOVWF X
        MOVF I , W
        CALL @@RD
        MOVWF X
        MOVF Reg_PortB , W
        MOVWF X
        CLRF X
        BTFSC Reg_PortA , Bit_3
        INCF X , F
        SLEEP
        GOTO $-1
@@RD:   MOVWF Reg_Eeadr
        BSF Reg_Status    , Bit_5
        BSF Reg_Eecon1    , Bit_0
        Nop
        BCF Reg_Status2   , Bit_5
        MOVF Reg_Eedata   , W
        RETURN
@@DV10: Movwf W#D2
        Clrf  W#D1
        Movlw 0xA0
        Movwf W#D3
        Movf  W#D3 , W
        Subwf W#D2 , W
        BTFSS Reg_Status , Flag_C
        Goto  $+2
        Movwf W#D2
        RLF W#D1 , F
        RRF W#D3 , F
        BTFSS W#D3, Bit_0
        Goto $-8
        Movf W#D1 , W
        Return
@@DV10C: Movf W#D2 , W
        Return
        END


