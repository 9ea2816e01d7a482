// SELECT CASE: a nested block only a colon can reach (the lowering of every
// case form is in the select_* goldens, the messages in the errors test).
#include "select_case.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SelectCase, NestedBlockAfterAColonIsLoweredFirst) {
  // Only reachable with a colon in front of the inner SELECT CASE: the inner
  // block takes the first end label, then the outer block is searched again.
  CompileState st = Loaded({"SELECT CASE X", "CASE 1", "Y = 1 : SELECT CASE Y", "CASE 2", "A", "END SELECT",
                            "CASE 3", "END SELECT", "END"});
  AggiungiVariabile(st, "X", "BYTE", "1");
  AggiungiVariabile(st, "Y", "BYTE", "1");
  SelectCase(st);
  EXPECT_FALSE(st.Flag_Errore) << st.TextASM;
  EXPECT_EQ(Program(st), (Lines{"", "IF X = 1 THEN", "Y = 1", "", "IF Y = 2 THEN", "A", "END IF", "A>@1:",
                             "GOTO @2", "END IF", "IF X = 3 THEN", "END IF", "A>@2:", "END"}));
}

}  // namespace
}  // namespace velmora
