// SELECT CASE: the lowering of values, IS, ranges, value lists, CASE ELSE and
// BREAK, the block search and its messages.
#include "select_case.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

CompileState Load(const Lines& source) {
  CompileState st = Loaded(source);
  AggiungiVariabile(st, "X", "BYTE", "1");
  AggiungiVariabile(st, "Y", "BYTE", "1");
  return st;
}

TEST(SelectCase, CasesBecomeIfBlocks) {
  struct Row { Lines source; Lines want; };
  const Row rows[] = {
      // a range as last case: its label lands before the end label
      {{"SELECT CASE X", "Y = 0", "CASE 3 TO 7", "A", "END SELECT", "END"},
       {"", "Y = 0", "IF X < 3 THEN", "GOTO @2", "END IF", "IF X > 7 THEN", "GOTO @2", "END IF", "A",
        "A>@2:", "A>@1:", "END"}},
      // (a value list is in the golden select_cases)
      // two blocks in a row, each with its own end label
      {{"SELECT CASE X", "CASE 1", "END SELECT", "SELECT CASE Y", "CASE 2", "END SELECT", "END"},
       {"", "IF X = 1 THEN", "END IF", "A>@1:", "", "IF Y = 2 THEN", "END IF", "A>@2:", "END"}},
  };
  for (const auto& r : rows) {
    CompileState st = Load(r.source);
    SelectCase(st);
    EXPECT_FALSE(st.Flag_Errore) << r.source[1] << "\n" << st.TextASM;
    EXPECT_EQ(Program(st), r.want) << r.source[1];
  }
}

TEST(SelectCase, Errors) {
  struct Row { Lines source; const char* message; const char* statement; };
  const Row rows[] = {
      {{"SELECT CASE 5", "CASE 1", "END SELECT", "END"}, "Variabile non definita", "SELECT CASE 5"},
      {{"SELECT CASE Q", "CASE 1", "END SELECT", "END"}, "Variabile non definita", "SELECT CASE Q"},
      // END SELECT as the very last line is outside the search
      {{"SELECT CASE X", "CASE 1", "END SELECT"}, "Istruzione 'Select Case' non chiusa", "SELECT CASE X"},
  };
  for (const auto& r : rows) {
    CompileState st = Load(r.source);
    SelectCase(st);
    EXPECT_TRUE(st.Flag_Errore) << r.source[0];
    EXPECT_EQ(st.TextASM, std::string("<*> ERRORE : ") + r.message + "\r\n---istruzione---\r\n" + r.statement);
  }
}

TEST(SelectCase, NestedBlockAfterAColonIsLoweredFirst) {
  // Only reachable with a colon in front of the inner SELECT CASE: the inner
  // block takes the first end label, then the outer block is searched again.
  CompileState st = Load({"SELECT CASE X", "CASE 1", "Y = 1 : SELECT CASE Y", "CASE 2", "A", "END SELECT",
                          "CASE 3", "END SELECT", "END"});
  SelectCase(st);
  EXPECT_FALSE(st.Flag_Errore) << st.TextASM;
  EXPECT_EQ(Program(st), (Lines{"", "IF X = 1 THEN", "Y = 1", "", "IF Y = 2 THEN", "A", "END IF", "A>@1:",
                             "GOTO @2", "END IF", "IF X = 3 THEN", "END IF", "A>@2:", "END"}));
}

}  // namespace
}  // namespace velmora
