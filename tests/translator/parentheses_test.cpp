// Parenthesised logical expressions: group extraction from the right, NOT
// groups, the merge of a whole-line group, the mixing check and the limits.
#include "parentheses.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SplitParentheses, GroupsBecomeWorkBytes) {
  struct Row { const char* line; Lines want; };
  const Row rows[] = {
      {"X = (A AND B)", {"X = A AND B"}},
      {"X = (A AND B) OR C", {"W#D1 = A AND B", "X = W#D1 OR C"}},
      {"Y = (A OR B) AND (C OR D)", {"W#D1 = C OR D", "W#D2 = A OR B", "Y = W#D2 AND W#D1"}},
      // left alone: NOT of itself, arithmetic, no "=", no parentheses, finished lines
      {"X = DIV10(A) + 1", {"X = DIV10(A) + 1"}},
      {"CALL F(A AND B)", {"CALL F(A AND B)"}},
      {"X = A AND B", {"X = A AND B"}},
      {"A>        ANDLW (3) AND X = 1", {"A>        ANDLW (3) AND X = 1"}},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line});
    SplitParentheses(st);
    EXPECT_FALSE(st.Flag_Errore) << r.line << "\n" << st.TextASM;
    EXPECT_EQ(Program(st), r.want) << r.line;
  }
}

TEST(SplitParentheses, EachLineStartsItsWorkBytesAgain) {
  CompileState st = Loaded({"X = (A AND B) OR C", "Y = 1", "Z = (C OR D) AND E"});
  SplitParentheses(st);
  EXPECT_EQ(Program(st), (Lines{"W#D1 = A AND B", "X = W#D1 OR C", "Y = 1", "W#D1 = C OR D", "Z = W#D1 AND E"}));
  // Every work byte is back in the pool, and W#D1 entered FAT once.
  EXPECT_EQ(AcquisisciDinamica(st), "W#D1");
  EXPECT_EQ(st.NoFAT, 1);
}

TEST(SplitParentheses, Errors) {
  struct Row { const char* line; const char* message; Lines after; };
  const Row rows[] = {
      {"X = (A AND B", "Livello di parentesi non bilanciato", {"X = (A AND B"}},
      {"X = A AND B)", "Livello di parentesi non bilanciato", {"X = A AND B)"}},
      {"MOTOR = (A AND B)", "Controllore il livello di parentesi", {"MOTOR = A AND B"}},
      {"X = (A AND B OR C)", "Controllore il livello di parentesi", {"X = A AND B OR C"}},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line, "NEXT = (A AND B)"});
    SplitParentheses(st);
    EXPECT_TRUE(st.Flag_Errore) << r.line;
    EXPECT_EQ(st.TextASM, std::string("<*> ERRORE : ") + r.message + "\r\n---istruzione---\r\n" + r.line);
    Lines want = r.after;
    want.push_back("NEXT = (A AND B)");  // the pass stops at the first error
    EXPECT_EQ(Program(st), want) << r.line;
  }
}

TEST(SplitParentheses, LinesNeedingTooManyGroupsStopInOrder) {
  // Ten NOT groups need 21 lines; sixteen groups need more work bytes than the pool has.
  std::string tenNots = "X = NOT(A)";
  for (int k = 0; k < 9; ++k) tenNots += " OR NOT(A)";
  std::string sixteenGroups = "X = (A)";
  for (int k = 0; k < 15; ++k) sixteenGroups += " OR (A)";
  struct Row { std::string line; const char* message; bool showsLine; };
  const Row rows[] = {
      {tenNots, "Espressione logica troppo complessa: richiede pi\xF9 di 20 istruzioni, "
                "suddividerla in pi\xF9 assegnazioni", true},
      {sixteenGroups, "Errore di sistema: impossibile generare variabili dinamiche", false},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line});
    SplitParentheses(st);
    EXPECT_TRUE(st.Flag_Errore);
    const std::string block = std::string("<*> ERRORE : ") + r.message + "\r\n";
    EXPECT_EQ(st.TextASM, r.showsLine ? block + "---istruzione---\r\n" + r.line : block);
    EXPECT_EQ(Program(st), Lines{r.line});
    EXPECT_EQ(AcquisisciDinamica(st), "W#D1");  // nothing left taken
  }
  // Nine NOT groups (19 lines) are still accepted.
  std::string nineNots = "X = NOT(A)";
  for (int k = 0; k < 8; ++k) nineNots += " OR NOT(A)";
  CompileState st = Loaded({nineNots});
  SplitParentheses(st);
  EXPECT_FALSE(st.Flag_Errore);
  EXPECT_EQ(st.NoInput, 19);
  EXPECT_EQ(st.ArrayInput[19], "X = W#D9 OR W#D8 OR W#D7 OR W#D6 OR W#D5 OR W#D4 OR W#D3 OR W#D2 OR W#D1");
}

}  // namespace
}  // namespace velmora
