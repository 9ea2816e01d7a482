        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
P       EQU 0x0D    ;BYTE(1-Byte)
Q       EQU 0x0E    ;BYTE(1-Byte)
W#VLTx  EQU 0x0F    ;BYTE(1-Byte)
        ORG 0
        MOVLW 0x01
        MOVWF P
        MOVLW 0x02
        MOVWF Q
        CALL G2
        MOVLW 0x01
        MOVWF P
        CALL G1
        CALL SPIN
        SLEEP
        GOTO $-1
G1:     MOVF P , W
        MOVWF X
        RETURN
G2:     MOVF Q , W
        MOVWF X
        RETURN
SPIN:   ;subroutine tradotta da Velmora
@1:     INCF X , F
        MOVF X , W
        SUBLW 0x03
        BTFSS Reg_Status , Flag_Z
        GOTO @3
        GOTO @2
@3:     GOTO @1
@2:     RETURN
        END


