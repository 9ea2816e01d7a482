        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
INDIRIZZO EQU 0x0C    ;BYTE(1-Byte)
DATO      EQU 0x0D    ;BYTE(1-Byte)
LETTI     EQU 0x0E    ;BYTE(1-Byte)
W#VLTx    EQU 0x0F    ;BYTE(1-Byte)
W#VLTy    EQU 0x10    ;BYTE(1-Byte)
        ORG 0
        BSF Reg_Status , Bit_5
        MovLW 0
        MovWF Reg_TrisB
        BCF Reg_Status2 , Bit_5
        CLRF LETTI
        MOVLW 0
        MOVWF INDIRIZZO
@1:     MOVF INDIRIZZO , W
        CALL @@RD
        MOVWF DATO
        MOVF DATO , W
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        GOTO @2
@3:     MOVF DATO , W
        MOVWF Reg_PortB
        INCF LETTI , F
        MOVLW 0xFA
        MOVWF W#VLTy
        MOVLW 0xFA
        MOVWF W#VLTx
        NOP
        DECFSZ W#VLTx , F
        GOTO $-2
        DECFSZ W#VLTy , F
        GOTO $-6
        MOVLW 0x01
        ADDWF INDIRIZZO , F
        BTFSC Reg_Status , Flag_C  ;Overflow?
        GOTO @2
        MOVLW 0x0A
        SUBWF INDIRIZZO , W
        BTFSC Reg_Status , Flag_Z
        GOTO @1
        BTFSS Reg_Status , Flag_C
        GOTO @1
@2:     SLEEP
        GOTO $-1
@@RD:   MOVWF Reg_Eeadr
        BSF Reg_Status    , Bit_5
        BSF Reg_Eecon1    , Bit_0
        Nop
        BCF Reg_Status2   , Bit_5
        MOVF Reg_Eedata   , W
        RETURN
        END


