        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
S       EQU 0x0E    ;BYTE(1-Byte)
W#VLTx  EQU 0x0F    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x03
        MOVWF X
        MOVLW 0x04
        MOVWF Y
        CALL SOMMA2
        MOVF S , W
        MOVWF X
        MOVLW 0x0A
        MOVWF Y
        CALL SOMMA2
        CALL AZZERA
        CALL ATTESA
        SLEEP
        GOTO $-1
SOMMA2: MOVF Y , W
        ADDWF X , W
        MOVWF S
        MOVF S , W
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        RETURN
@3:     CALL AZZERA
        RETURN
AZZERA: CLRF Y
        RETURN
ATTESA:   ;subroutine tradotta da Velmora
@1:     MOVLW 0x05
        SUBWF Y , W
        BTFSC Reg_Status , Flag_Z
        GOTO @2
        BTFSC Reg_Status , Flag_C
        GOTO @2
        INCF Y , F
        GOTO @1
@2:     RETURN
        END


