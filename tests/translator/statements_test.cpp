// The statement dispatcher and the simple statements: their messages and
// limits (their emitted lines are in the statements_* goldens).
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
      {"CALL TOCK", {}, "Subroutine non definita"},
      {"CLEAR B8", {}, "Azzeramento di porta/linea non valido"},
      {"SET TIMER ONX", {}, "Indice della linea di I/O non valido"},
      {"RESET A5", {}, "Indice della linea di I/O non valido"},
      {"OUTPUT B, 40000", {}, "Costante numerica non ammessa"},
      {"OUTPUT B0, 1", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B, Q", {}, "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B", {}, "Sintassi non corretta dell'istruzione"},
      {"RECONFIG C AS INPUT", {}, "Porta non gestibile"},
      {"RECONFIG B8 AS INPUT", {}, "Linea di Input/Output non gestibile"},
      {"RECONFIG  AS INPUT", {}, "Controllore l'istruzione di ReConfig Porta Input/Output"},
      {"RECONFIG B0 INPUT", {}, "Controllore l'istruzione di riconfiggurazionePorta/Linea I/O"},
      {"RECONFIG B0 A AS INPUT", {}, "Riconfigurazioni multiple non valide"},
      {"ROTATE LEFT X, 9", {}, "Indice di rotazione non valido"},
      {"ROTATE LEFT X, 0", {}, "Indice di rotazione non valido"},
      {"SHIFT RIGHT X, 0", {}, "Indice di shift non valido"},
      {"SHIFT LEFT X, 99999", {}, "Indice di shift non valido"},
      {"WAIT 0", {}, "Costante numerica non valida"},
      {"WAIT 256", {}, "Costante numerica non valida"},
      {"WAIT Q", {}, "Costante numerica non valida"},
      {"WAIT 0, N", {}, "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255"},
      {"ASM(MOVLW &H1F + &H01)", {"MOVLW 0x1F + &H01"}},  // only the first constant is rewritten
      {"ASM(NOP", {}, "Controllare l'istruzione ASM: ", "ASM(NOP"},
      {"ASMX = 1", {}, "Errore si sintassi, controllare : ", "ASMX = 1"},
  });
}

TEST(Istruzioni, LimitsFlagsAndUnclosedBlocks) {
  // A list takes at most thirty items.
  std::string items = "B0";
  for (int k = 1; k < 30; ++k) items += ", B" + std::to_string(k % 8);
  EXPECT_EQ(Esegui({"PRIMA", "RECONFIG " + items + " AS INPUT", "DOPO"}).NoInput, 2 + 1 + 30 * 3 + 1);
  const std::string over = "RECONFIG " + items + ", A AS INPUT";
  EXPECT_EQ(Pane(Esegui({"PRIMA", over, "DOPO"})), ErrorBlock("Riconfigurazioni multiple non valide", over));
  EXPECT_TRUE(Esegui({"PRIMA", "WAIT 1, 1", "DOPO"}).Flag_VLTy);
  EXPECT_FALSE(Esegui({"PRIMA", "WAIT 100", "DOPO"}).Flag_VLTy);
  // Blocks that never close are reported on the ASM{ line.
  for (const auto& program : {Lines{"PRIMA", "ASM{", "NOP {", "}"}, Lines{"PRIMA", "ASM{", "NOP}}", "DOPO"}}) {
    const char* error = program[2] == "NOP {" ? "Errore di sintassi, controllare le parentesi nell'istruzione: ASM{"
                                              : "Errore si sintassi, controllare: ASM{";
    EXPECT_EQ(Pane(Esegui(program)), ErrorBlock(error, program[1])) << program[2];
  }
}

// Lines of no statement are left as they are (the lines other passes take
// are in the statements_forms golden).
TEST(Istruzioni, LeavesOtherLinesAlone) {
  for (const char* line : {"END IF", "X = 5", "FOR X = 1 TO 5", "CLEAR", "SET", "STOPX", "SWAP X",
                           "GOTOX = 1", "WAITING = 5", "WAIT 10, Q"}) {
    const CompileState st = Esegui({"PRIMA", line, "DOPO"});
    EXPECT_EQ(Program(st), (Lines{"PRIMA", line, "DOPO"})) << line;
    EXPECT_EQ(Pane(st), "") << line;
  }
}

}  // namespace
}  // namespace velmora
