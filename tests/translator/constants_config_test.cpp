// CONST/SYMBOL substitution and the CONFIG start-up lines.
#include "constants_config.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(ConstSymbol, SubstitutesWholeWordsInDeclarationOrder) {
  struct Row { Lines in, want; };
  const Row rows[] = {
      {{"CONST N = 5", "X = N + NN", "X = NN + N"}, {"", "X = 5 + NN", "X = NN + 5"}},
      {{"CONST X = X + 1", "Y = X+X"}, {"", "Y = X + 1+X + 1"}},
      {{"CONST N = 9", "X = N1 + 1N + _N + N# + (N)"}, {"", "X = N1 + 1N + _9 + 9# + (9)"}},
      // Collection stops at the first IF, FOR or DO; substitution covers every line.
      {{"CONST N = 2", "DO", "CONST M = 3", "X = N + M"}, {"", "DO", "CONST M = 3", "X = 2 + M"}},
      {{"FOR I = 1 TO 3", "CONST N = 2"}, {"FOR I = 1 TO 3", "CONST N = 2"}},
      {{"CONST = 5", "CONST Z =", "X = Z"}, {"", "", "X = "}},  // an empty name matches nothing
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciConstSymbol(st);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(Program(st), r.want) << r.in[0];
  }
}

TEST(ConstSymbol, AcceptsOneHundredDeclarationsAndNoMore) {
  CompileState st;
  for (int count : {100, 101}) {
    Lines lines;
    for (int k = 1; k <= count; ++k) lines.push_back("CONST C" + text::Dec(k) + " = " + text::Dec(k));
    lines.push_back("X = C100");
    Load(st, lines);
    TraduciConstSymbol(st);
    EXPECT_EQ(Pane(st), count == 100 ? "" : ErrorBlock("Troppe definizioni CONST/SYMBOL: il limite è di 100",
                                                       "CONST C101 = 101"));
    EXPECT_EQ(st.ArrayInput[st.NoInput], count == 100 ? "X = 100" : "X = C100");
  }
}

TEST(Config, FoldsStatementsIntoOneTrisValuePerPort) {
  const std::string bank1 = "        BSF Reg_Status , Bit_5", bank0 = "        BCF Reg_Status2 , Bit_5";
  const std::string lwA = "        MovWF Reg_TrisA", lwB = "        MovWF Reg_TrisB";
  struct Row { Lines in, program, init; };
  const Row rows[] = {
      {{"CONFIG B AS OUTPUT"}, {""}, {bank1, "        MovLW 0", lwB, bank0}},
      // Port A is always written first; a later statement overrides one line.
      {{"CONFIG B7,A4 AS INPUT", "X = 1", "CONFIG A AS INPUT", "CONFIG A0 AS OUTPUT"}, {"", "X = 1", "", ""},
       {bank1, "        MovLW 0xFE", lwA, "        MovLW 0x80", lwB, bank0}},
      {{"IF X = 1 THEN", "CONFIG A AS INPUT"}, {"IF X = 1 THEN", "CONFIG A AS INPUT"}, {}},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    st.NoInit = 7;  // the pass starts its table afresh
    TraduciConfig(st);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(Program(st), r.program) << r.in[0];
    EXPECT_EQ(Rows(st.ArrayInit, st.NoInit), r.init) << r.in[0];
  }
}

TEST(Config, ReportsEachMalformedStatementAndKeepsItsLine) {
  struct Row { std::string line, message; };
  const Row rows[] = {
      {"CONFIG B0 AS IN", "Impossibile determinare se configurazione di Input o Output"},
      {"CONFIG B0 INPUT", "Istruzione CONFIG errata"},
      {"CONFIG B0,, B1 AS OUTPUT", "Tipo di configurazione non ammessa"},
      {"CONFIG B0, B10 AS INPUT", "Tipo di configurazione non ammessa"},
      {"CONFIG A5, B1 AS INPUT", "Configurazione di linea di I/O non gestibile"},
      {"CONFIG B0, C AS INPUT", "Porta di I/O non gestibile"},
      {"CONFIG ABC AS INPUT", "Istruzione non riconosciuta"},
      {"CONFIG AS INPUT", "Istruzione non riconosciuta"},
      {"CONFIG C AS INPUT", "Configurazione di porta di I/O non gestibile"},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {"CONFIG A AS OUTPUT", r.line});
    TraduciConfig(st);
    EXPECT_EQ(Pane(st), ErrorBlock(r.message, r.line));
    EXPECT_EQ(st.ArrayInput[2], r.line);
  }
}

}  // namespace
}  // namespace velmora
