        Title "BASIC to PIC Translator"
        SubTitle " - Velmora"
        Include "PIC16F84.DEF"
X       EQU 0x0C    ;BYTE(1-Byte)
Y       EQU 0x0D    ;BYTE(1-Byte)
Z       EQU 0x0E    ;BYTE(1-Byte)
P       EQU 0x0F    ;BYTE(1-Byte)
Q       EQU 0x10    ;BYTE(1-Byte)
R       EQU 0x11    ;BYTE(1-Byte)
S       EQU 0x12    ;BYTE(1-Byte)
W#D1    EQU 0x13    ;BYTE(1-Byte)
W#D2    EQU 0x14    ;BYTE(1-Byte)
W#VLTx  EQU 0x15    ;BYTE(1-Byte)
        ORG 0
        MOVF P , W
        ANDWF Q , W
        MOVWF X
        MOVF P , W
        ANDWF Q , W
        MOVWF W#D1
        MOVF W#D1 , W
        IORWF R , W
        MOVWF X
        MOVF R , W
        IORWF S , W
        MOVWF W#D1
        MOVF P , W
        IORWF Q , W
        MOVWF W#D2
        MOVF W#D2 , W
        ANDWF W#D1 , W
        MOVWF Y
        MOVLW 0x01
        MOVWF Y
        MOVF R , W
        IORWF S , W
        MOVWF W#D1
        MOVF W#D1 , W
        ANDWF P , W
        MOVWF Z
        SLEEP
        GOTO $-1
        END


