// The statement dispatcher and the simple statements.
#include "statements.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;


// Runs the dispatcher on line 2 of `program`, with the variables X, Y, N (BYTE)
// and I (INTEGER) and the SUBs TICK and SOMMA(A, B).
CompileState Esegui(const Lines& program) {
  CompileState st;
  Load(st, program);
  for (const char* v : {"X", "Y", "N"}) st.FAT[++st.NoFAT] = {v, "BYTE", "1"};
  st.FAT[++st.NoFAT] = {"I", "INTEGER", "2"};
  st.ArraySUB[++st.NoSUB] = {"TICK", "0", ""};
  st.ArraySUB[++st.NoSUB] = {"SOMMA", "2", "A, B"};
  TraduciIstruzione(st, 2);
  return st;
}

void Verifica(const std::vector<Riga>& rows) {
  VerificaRighe(rows, [](const std::string& line) { return Esegui({"PRIMA", line, "DOPO"}); });
}

TEST(Istruzioni, SimpleStatementsAndTheirMessages) {
  Verifica({
      {"SWAP BINARY I", {}, "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BINARY Q", {}, "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BYTE X Y", {}, "Sintassi errata per l'istruzione SWAP Byte"},
      {"SWAP BYTE X, Q", {}, "Swap con variabile non definita"},
      {"CALL SOMMA2", {"CALL SOMMA2"}},
      {"CALL TOCK", {}, "Subroutine non definita"},
      {"CLEAR FLAG CARRY", {"BCF Reg_Status , Flag_C"}},
      {"CLEAR B8", {}, "Azzeramento di porta/linea non valido"},
      {"SET FLAG CARRY", {"BSF Reg_Status , Flag_C"}},
      {"SET TIMER ONX", {}, "Indice della linea di I/O non valido"},
      {"RESET XB7", {"BCF Reg_PortB , Bit_7"}},
      {"RESET FLAG CARRY", {"BCF Reg_Status , Flag_C"}},
      {"RESET A5", {}, "Indice della linea di I/O non valido"},
      {"OUTPUT A , 0", {"MOVLW 0", "MOVWF Reg_PortA"}},
      {"OUTPUT B, 40000", {}, "Costante numerica non ammessa"},
      {"OUTPUT B0, 1", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B, Q", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B", {}, "Sintassi non corretta dell'istruzione"},
      {"RECONFIG A AS OUTPUT", {"BSF Reg_Status , Bit_5", "MOVLW 0", "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG B3 AS INPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisB , W", "IORLW 0x08", "MOVWF Reg_TrisB", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG B7, , A AS OUTPUT",
       {"BSF Reg_Status , Bit_5", "MOVF Reg_TrisB , W", "ANDLW 0x7F", "MOVWF Reg_TrisB", "MOVLW 0",
        "MOVWF Reg_TrisA", "BCF Reg_Status2 , Bit_5"}},
      {"RECONFIG C AS INPUT", {}, "Porta non gestibile"},
      {"RECONFIG B8 AS INPUT", {}, "Linea di Input/Output non gestibile"},
      {"RECONFIG  AS INPUT", {}, "Controllore l'istruzione di ReConfig Porta Input/Output"},
      {"RECONFIG B0 INPUT", {}, "Controllore l'istruzione di riconfiggurazionePorta/Linea I/O"},
      {"RECONFIG B0 A AS INPUT", {}, "Riconfigurazioni multiple non valide"},
  });
  // A list takes at most thirty items.
  std::string items = "B0";
  for (int k = 1; k < 30; ++k) items += ", B" + std::to_string(k % 8);
  EXPECT_EQ(Esegui({"PRIMA", "RECONFIG " + items + " AS INPUT", "DOPO"}).NoInput, 2 + 1 + 30 * 3 + 1);
  const std::string over = "RECONFIG " + items + ", A AS INPUT";
  EXPECT_EQ(Pane(Esegui({"PRIMA", over, "DOPO"})), ErrorBlock("Riconfigurazioni multiple non valide", over));
}

TEST(Istruzioni, RotateShiftWait) {
  Verifica({
      {"ROTATE RIGHT  X", {"RRF X , F"}},
      {"ROTATE LEFT X, 9", {}, "Indice di rotazione non valido"},
      {"ROTATE LEFT X, 0", {}, "Indice di rotazione non valido"},
      {"SHIFT RIGHT X, 0", {}, "Indice di shift non valido"},
      {"SHIFT LEFT X, 99999", {}, "Indice di shift non valido"},
      {"WAIT 0", {}, "Costante numerica non valida"},
      {"WAIT 256", {}, "Costante numerica non valida"},
      {"WAIT Q", {}, "Costante numerica non valida"},
      {"WAIT 0, N", {}, "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255"},
  });
  EXPECT_TRUE(Esegui({"PRIMA", "WAIT 1, 1", "DOPO"}).Flag_VLTy);
  EXPECT_FALSE(Esegui({"PRIMA", "WAIT 100", "DOPO"}).Flag_VLTy);
}

TEST(Istruzioni, Asm) {
  Verifica({
      {"ASM(MOVLW &H1F + &H01)", {"MOVLW 0x1F + &H01"}},
      {"ASM(NOP", {}, "Controllare l'istruzione ASM: ", "ASM(NOP"},
      {"ASMX = 1", {}, "Errore si sintassi, controllare : ", "ASMX = 1"},
  });
  struct Blocco {
    Lines program;  // the statement is line 2
    Lines want;
    const char* error = nullptr;
  };
  const Blocco rows[] = {
      {{"PRIMA", "ASM(LAB1: NOP)", "DOPO"}, {"PRIMA", "A>LAB1: NOP", "DOPO"}},
      {{"PRIMA", "ASM{", "MOVLW &H1F", "A>LAB:", "", "MOVWF X", "}", "DOPO"},
       {"PRIMA", "", Ins("MOVLW 0x1F"), "A>LAB:", "", Ins("MOVWF X"), "", "DOPO"}},
      {{"PRIMA", "ASM{ CLRW", "LAB2: NOP", "RETURN }", "DOPO"},
       {"PRIMA", Ins("CLRW"), "A>LAB2: NOP", Ins("RETURN"), "DOPO"}},
      {{"PRIMA", "ASM{", "NOP {", "}"}, {}, "Errore di sintassi, controllare le parentesi nell'istruzione: ASM{"},
      {{"PRIMA", "ASM{", "NOP}}", "DOPO"}, {}, "Errore si sintassi, controllare: ASM{"},
  };
  for (const auto& r : rows) {
    const CompileState st = Esegui(r.program);
    EXPECT_EQ(Pane(st), r.error ? ErrorBlock(r.error, r.program[1]) : "") << r.program[2];
    if (!r.error) {
      EXPECT_EQ(Program(st), r.want) << r.program[2];
    }
  }
}

// Lines of other passes are recognised in the table's order, not taken by a
// later, wider test; lines of no statement are left as they are.
TEST(Istruzioni, DispatchOrderLeavesOtherStatementsAlone) {
  for (const char* line : {"SET INIT TIMER TO 6", "ON LINE INTERRUPT CALL TICK", "SET TIMER ON",
                           "SET EXTERNAL CLOCK", "SET TIMER RATE TO 1/64", "SET TIMER EDGE DOWN",
                           "SET EXTERNAL INTERRUPT EDGE UP", "SET LINE INTERRUPT OFF", "WRITE 12, 33"}) {
    const CompileState st = Esegui({"PRIMA", line, "DOPO"});
    EXPECT_EQ(Pane(st), "") << line;
    EXPECT_NE(Program(st)[1], line) << line;
    for (const auto& l : Program(st)) EXPECT_EQ(l.find("Reg_Port"), std::string::npos) << line;
  }
  for (const char* line : {"END IF", "X = 5", "FOR X = 1 TO 5", "CLEAR", "SET", "STOPX", "SWAP X",
                           "GOTOX = 1", "WAITING = 5", "WAIT 10, Q"}) {
    const CompileState st = Esegui({"PRIMA", line, "DOPO"});
    EXPECT_EQ(Program(st), (Lines{"PRIMA", line, "DOPO"})) << line;
    EXPECT_EQ(Pane(st), "") << line;
  }
}

}  // namespace
}  // namespace velmora
