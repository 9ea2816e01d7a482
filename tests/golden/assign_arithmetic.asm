        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
Z       EQU 0x0E    ;BYTE(1-Byte)
FL      EQU 0x0F    ;SINGLE(4-Byte)
W#VLTx  EQU 0x13    ;BYTE(1-Byte)
        ORG 0
        CLRF X
        MOVLW 0xC8
        MOVWF X
        MOVLW 0xFF
        MOVWF Y
        MOVF X , W
        MOVWF Z
        MOVLW 0x01
        ADDWF Y , W
        MOVWF X
        INCF X , F
        MOVLW 0x01
        SUBWF X , F
        MOVF Y , W
        SUBLW 0x05
        MOVWF X
        MOVLW 0x05
        ADDWF Y , F
        MOVF Z , W
        ADDWF Y , W
        MOVWF X
        MOVF Z , W
        SUBWF Y , W
        MOVWF X
        MovLW 0x05
        MovWF X
        MovLW 0xFF
        MovWF X
        CLRF X
        MOVLW 0xFD
        SUBWF Y , W
        MOVWF X
        MOVLW 0x7F
        MOVWF FL+0
        MOVLW 0x40
        MOVWF FL+1
        MOVLW 0x00
        MOVWF FL+2
        MOVLW 0x00
        MOVWF FL+3
        MOVLW 0x7E
        MOVWF FL+0
        MOVLW 0x00
        MOVWF FL+1
        MOVLW 0x00
        MOVWF FL+2
        MOVLW 0x00
        MOVWF FL+3
        Movf Reg_Tmr0 , W
        Movwf X
        CLRF X
        BTFSC Reg_Status , Flag_C
        INCF X , F
        CLRF X
        BTFSC Reg_Status , Flag_Z
        INCF X , F
        SLEEP
        GOTO $-1
        END


