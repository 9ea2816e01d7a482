// The statement dispatcher and the simple statements.
#include "statements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding.h"

namespace velmora {
namespace {

const std::string P = "A>        ";

CompileState Stato() {
  CompileState st;
  const FatRow rows[] = {{"X", "BYTE", "1"}, {"Y", "BYTE", "1"}, {"N", "BYTE", "1"}, {"I", "INTEGER", "2"}};
  for (const auto& r : rows) st.FAT[++st.NoFAT] = r;
  st.ArraySUB[1] = {"TICK", "0", ""};
  st.ArraySUB[2] = {"SOMMA", "2", "A, B"};
  st.NoSUB = 2;
  return st;
}

// Runs the dispatcher on line 2 of `program` and gives back the whole program.
std::vector<std::string> Esegui(CompileState& st, const std::vector<std::string>& program) {
  st.NoInput = static_cast<int>(program.size());
  for (int i = 1; i <= st.NoInput; ++i) st.ArrayInput[i] = program[static_cast<size_t>(i - 1)];
  TraduciIstruzione(st, 2);
  std::vector<std::string> out;
  for (int i = 1; i <= st.NoInput; ++i) out.push_back(st.ArrayInput[i]);
  return out;
}

struct Riga {
  const char* line;
  std::vector<std::string> want;  // instructions without the "A>" and blanks
  const char* error = nullptr;
  const char* errorTail = "";     // program text shown after the message
};

// Each row's statement sits between two marker lines.
void Verifica(const std::vector<Riga>& rows) {
  for (const auto& r : rows) {
    CompileState st = Stato();
    const auto got = Esegui(st, {"PRIMA", r.line, "DOPO"});
    std::vector<std::string> want{"PRIMA"};
    if (r.error) {
      EXPECT_EQ(st.TextASM, "<*> ERRORE : " + encoding::Utf8ToCp1252(r.error) + r.errorTail +
                                "\r\n---istruzione---\r\n" + r.line) << r.line;
      want.push_back(r.line);
    } else {
      EXPECT_FALSE(st.Flag_Errore) << r.line << "\n" << st.TextASM;
      for (const auto& w : r.want) want.push_back(P + w);
    }
    want.push_back("DOPO");
    EXPECT_EQ(got, want) << r.line;
  }
}

TEST(Istruzioni, SwapGotoCallEndStop) {
  Verifica({
      {"SWAP BINARY X", {"SWAPF X , F"}},
      {"SWAP BINARY  Y ", {"SWAPF Y , F"}},
      {"SWAP BINARY I", {}, "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BINARY Q", {}, "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BYTE X, Y",
       {"MOVF X , W", "MOVWF W#VLTx", "MOVF Y , W", "MOVWF X", "MOVF W#VLTx , W", "MOVWF Y"}},
      {"SWAP BYTE X Y", {}, "Sintassi errata per l'istruzione SWAP Byte"},
      {"SWAP BYTE X, Q", {}, "Swap con variabile non definita"},
      {"SWAP BYTE Q, X", {}, "Swap con variabile non definita"},
      {"GOTO LOOP1", {"GOTO LOOP1"}},
      {"CALL TICK", {"CALL TICK"}},
      {"CALL SOMMA2", {"CALL SOMMA2"}},
      {"CALL TOCK", {}, "Subroutine non definita"},
      {"END", {"SLEEP", "GOTO $-1"}},
      {"STOP", {"SLEEP"}},
  });
}

TEST(Istruzioni, ClearSetReset) {
  Verifica({
      {"CLEAR CARRY", {"BCF Reg_Status , Flag_C"}},
      {"CLEAR FLAG CARRY", {"BCF Reg_Status , Flag_C"}},
      {"CLEAR B", {"CLRF Reg_PortB"}},
      {"CLEAR A2", {"BCF Reg_PortA , Bit_2"}},
      {"CLEAR B8", {}, "Azzeramento di porta/linea non valido"},
      {"CLEAR A5", {}, "Azzeramento di porta/linea non valido"},
      {"CLEAR X", {}, "Azzeramento di porta/linea non valido"},
      {"SET B3", {"BSF Reg_PortB , Bit_3"}},
      {"SET A", {"MOVLW 0xFF", "MOVWF Reg_PortA"}},
      {"SET CARRY", {"BSF Reg_Status , Flag_C"}},
      {"SET FLAG CARRY", {"BSF Reg_Status , Flag_C"}},
      {"SET XB7", {"BSF Reg_PortB , Bit_7"}},
      {"SET TIMER ONX", {}, "Indice della linea di I/O non valido"},
      {"SET B8", {}, "Indice della linea di I/O non valido"},
      {"RESET B7", {"BCF Reg_PortB , Bit_7"}},
      {"RESET XB7", {"BCF Reg_PortB , Bit_7"}},
      {"RESET A", {"CLRF Reg_PortA"}},
      {"RESET CARRY", {"BCF Reg_Status , Flag_C"}},
      {"RESET FLAG CARRY", {"BCF Reg_Status , Flag_C"}},
      {"RESET A5", {}, "Indice della linea di I/O non valido"},
      {"RESET LED", {}, "Indice della linea di I/O non valido"},
  });
}

TEST(Istruzioni, OutputAndReconfig) {
  Verifica({
      {"OUTPUT B, 255", {"MOVLW 0xFF", "MOVWF Reg_PortB"}},
      {"OUTPUT A , 0", {"MOVLW 0", "MOVWF Reg_PortA"}},
      {"OUTPUT B, &H0F", {"MOVLW 0x0F", "MOVWF Reg_PortB"}},
      {"OUTPUT B, X", {"MOVF X , W", "MOVWF Reg_PortB"}},
      {"OUTPUT B, 40000", {}, "Costante numerica non ammessa"},
      {"OUTPUT B0, 1", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B, Q", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B", {}, "Sintassi non corretta dell'istruzione"},
      {"RECONFIG B AS INPUT", {"BSF Reg_Status , Bit_5", "MOVLW 0xff", "MOVWF Reg_TrisB", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG A AS OUTPUT", {"BSF Reg_Status , Bit_5", "MOVLW 0", "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG B3 AS INPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisB , W", "IORLW 0x08", "MOVWF Reg_TrisB", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG A0 AS OUTPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisA , W", "ANDLW 0xFE", "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG B0, A AS INPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisB , W", "IORLW 0x01", "MOVWF Reg_TrisB", "MOVLW 0xFF",
        "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG B7, , A AS OUTPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisB , W", "ANDLW 0x7F", "MOVWF Reg_TrisB", "MOVLW 0",
        "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG C AS INPUT", {}, "Porta non gestibile"},
      {"RECONFIG B8 AS INPUT", {}, "Linea di Input/Output non gestibile"},
      {"RECONFIG  AS INPUT", {}, "Controllore l'istruzione di ReConfig Porta Input/Output"},
      {"RECONFIG B0 INPUT", {}, "Controllore l'istruzione di riconfiggurazionePorta/Linea I/O"},
      {"RECONFIG B0 A AS INPUT", {}, "Riconfigurazioni multiple non valide"},
  });
}

TEST(Istruzioni, ReconfigListHasAtMostThirtyItems) {
  std::string items = "B0";
  for (int k = 1; k < 30; ++k) items += ", B" + std::to_string(k % 8);
  CompileState st = Stato();
  Esegui(st, {"PRIMA", "RECONFIG " + items + " AS INPUT", "DOPO"});
  EXPECT_FALSE(st.Flag_Errore) << st.TextASM;
  EXPECT_EQ(st.NoInput, 2 + 1 + 30 * 3 + 1);

  CompileState over = Stato();
  Esegui(over, {"PRIMA", "RECONFIG " + items + ", A AS INPUT", "DOPO"});
  EXPECT_TRUE(over.Flag_Errore);
  EXPECT_NE(over.TextASM.find("Riconfigurazioni multiple non valide"), std::string::npos);
}

TEST(Istruzioni, RotateAndShift) {
  Verifica({
      {"ROTATE LEFT X, 3", {"RLF X , F", "RLF X , F", "RLF X , F"}},
      {"ROTATE RIGHT X", {"RRF X , F"}},
      {"ROTATE RIGHT  X,8", {"RRF X , F", "RRF X , F", "RRF X , F", "RRF X , F", "RRF X , F", "RRF X , F",
                             "RRF X , F", "RRF X , F"}},
      {"ROTATE LEFT X, 9", {}, "Indice di rotazione non valido"},
      {"ROTATE LEFT X, 0", {}, "Indice di rotazione non valido"},
      {"ROTATE LEFT X, Y", {}, "Indice di rotazione non valido"},
      {"SHIFT RIGHT X, 2", {"BCF Reg_Status , Flag_C", "RRF X , F", "BCF Reg_Status , Flag_C", "RRF X , F"}},
      {"SHIFT LEFT Y", {"BCF Reg_Status , Flag_C", "RLF Y , F"}},
      {"SHIFT RIGHT X, 0", {}, "Indice di shift non valido"},
      {"SHIFT LEFT X, 99999", {}, "Indice di shift non valido"},
  });
}

TEST(Istruzioni, Wait) {
  const std::vector<std::string> loop6{"MOVLW 0x06", "MOVWF W#VLTx", "NOP", "DECFSZ W#VLTx , F", "GOTO $-2"};
  Verifica({
      {"WAIT", {"NOP"}},
      {"WAIT 1", {"NOP"}},
      {"WAIT 5", {"NOP", "NOP", "NOP", "NOP", "NOP"}},
      {"WAIT 6", loop6},
      {"WAIT &H6", loop6},
      {"WAIT 255", {"MOVLW 0xFF", "MOVWF W#VLTx", "NOP", "DECFSZ W#VLTx , F", "GOTO $-2"}},
      {"WAIT N", {"MOVF N , W", "MOVWF W#VLTx", "NOP", "DECFSZ W#VLTx , F", "GOTO $-2"}},
      {"WAIT 0", {}, "Costante numerica non valida"},
      {"WAIT 256", {}, "Costante numerica non valida"},
      {"WAIT -3", {}, "Costante numerica non valida"},
      {"WAIT Q", {}, "Costante numerica non valida"},
      {"WAIT 10, 20",
       {"MOVLW 0x0A", "MOVWF W#VLTy", "MOVLW 0x14", "MOVWF W#VLTx", "NOP", "DECFSZ W#VLTx , F", "GOTO $-2",
        "DECFSZ W#VLTy , F", "GOTO $-6"}},
      {"WAIT N, Y",
       {"MOVF N , W", "MOVWF W#VLTy", "MOVF Y , W", "MOVWF W#VLTx", "NOP", "DECFSZ W#VLTx , F", "GOTO $-2",
        "DECFSZ W#VLTy , F", "GOTO $-6"}},
      {"WAIT 10, 300", {}, "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255"},
      {"WAIT 0, N", {}, "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255"},
  });

  // Statements that are left alone: a name beginning with WAIT, an unknown count.
  for (const char* line : {"WAITING = 5", "WAIT 10, Q"}) {
    CompileState st = Stato();
    EXPECT_EQ(Esegui(st, {"PRIMA", line, "DOPO"}), (std::vector<std::string>{"PRIMA", line, "DOPO"}));
    EXPECT_FALSE(st.Flag_Errore) << line;
  }
  CompileState two = Stato();
  Esegui(two, {"PRIMA", "WAIT 1, 1", "DOPO"});
  EXPECT_TRUE(two.Flag_VLTy);
  CompileState one = Stato();
  Esegui(one, {"PRIMA", "WAIT 100", "DOPO"});
  EXPECT_FALSE(one.Flag_VLTy);
}

TEST(Istruzioni, AsmSingleLine) {
  Verifica({
      {"ASM(MOVLW &H1F)", {"MOVLW 0x1F"}},
      {"ASM( NOP )", {"NOP"}},
      {"ASM(MOVLW &H1F + &H01)", {"MOVLW 0x1F + &H01"}},
      {"ASM(NOP", {}, "Controllare l'istruzione ASM: ", "ASM(NOP"},
      {"ASMX = 1", {}, "Errore si sintassi, controllare : ", "ASMX = 1"},
  });
  CompileState st = Stato();
  EXPECT_EQ(Esegui(st, {"PRIMA", "ASM(LAB1: NOP)", "DOPO"}),
            (std::vector<std::string>{"PRIMA", "A>LAB1: NOP", "DOPO"}));
}

struct Blocco {
  std::vector<std::string> program;  // the statement is line 2
  std::vector<std::string> want;
  const char* error = nullptr;
  const char* errorTail = "";
};

TEST(Istruzioni, AsmBlock) {
  const Blocco rows[] = {
      {{"PRIMA", "ASM{", "MOVLW &H1F", "A>LAB:", "", "MOVWF X", "}", "DOPO"},
       {"PRIMA", "", P + "MOVLW 0x1F", "A>LAB:", "", P + "MOVWF X", "", "DOPO"}},
      {{"PRIMA", "ASM{NOP}", "DOPO"}, {"PRIMA", P + "NOP", "DOPO"}},
      {{"PRIMA", "ASM{ CLRW", "LAB2: NOP", "RETURN }", "DOPO"},
       {"PRIMA", P + "CLRW", "A>LAB2: NOP", P + "RETURN", "DOPO"}},
      {{"PRIMA", "ASM{", "NOP", "DOPO"}, {}, "Blocco di istruzioni ASM non chiuso tra parentesi {}"},
      {{"PRIMA", "ASM{", "NOP {", "}"}, {}, "Errore di sintassi, controllare le parentesi nell'istruzione: ", "ASM{"},
      {{"PRIMA", "ASM{", "NOP}}", "DOPO"}, {}, "Errore si sintassi, controllare: ", "ASM{"},
      {{"PRIMA", "ASM{", "A}B", "}"}, {}, "Errore si sintassi, controllare: ", "ASM{"},
  };
  for (const auto& r : rows) {
    CompileState st = Stato();
    const auto got = Esegui(st, r.program);
    if (r.error) {
      EXPECT_EQ(st.TextASM, "<*> ERRORE : " + std::string(r.error) + r.errorTail + "\r\n---istruzione---\r\n" +
                                r.program[1]) << r.program[2];
      continue;
    }
    EXPECT_FALSE(st.Flag_Errore) << st.TextASM;
    EXPECT_EQ(got, r.want) << r.program[2];
  }
}

// Lines of other passes are recognised in the table's order and not taken by a
// later, wider test; lines of no statement are left as they are.
TEST(Istruzioni, DispatchOrderLeavesOtherStatementsAlone) {
  const char* handedOver[] = {
      "SET INIT TIMER TO 6",  "ON TIMER INTERRUPT CALL TICK", "ON EXTERNAL INTERRUPT CALL TICK",
      "ON LINE INTERRUPT CALL TICK", "SET TIMER ON", "SET TIMER OFF", "SET INTERNAL CLOCK",
      "SET EXTERNAL CLOCK", "SET TIMER RATE TO 1/64", "SET TIMER EDGE UP", "SET TIMER EDGE DOWN",
      "SET EXTERNAL INTERRUPT EDGE UP", "SET EXTERNAL INTERRUPT EDGE DOWN", "SET EXTERNAL INTERRUPT ON",
      "SET EXTERNAL INTERRUPT OFF", "SET LINE INTERRUPT ON", "SET LINE INTERRUPT OFF", "WRITE 12, 33",
  };
  for (const char* line : handedOver) {
    CompileState st = Stato();
    const auto got = Esegui(st, {"PRIMA", line, "DOPO"});
    EXPECT_FALSE(st.Flag_Errore) << line << "\n" << st.TextASM;
    for (const auto& l : got) EXPECT_EQ(l.find("Reg_Port"), std::string::npos) << line;
  }
  for (const char* line : {"END IF", "END SUB", "X = 5", "IF X = 1 THEN", "FOR X = 1 TO 5", "CLEAR", "SET",
                           "ENDX", "STOPX", "SWAP X", "GOTOX = 1", "DO"}) {
    CompileState st = Stato();
    EXPECT_EQ(Esegui(st, {"PRIMA", line, "DOPO"}), (std::vector<std::string>{"PRIMA", line, "DOPO"})) << line;
    EXPECT_FALSE(st.Flag_Errore) << line;
  }
}

}  // namespace
}  // namespace velmora
