// SUB bodies: the call pairs (the rewritten lines are in the sub_* goldens,
// the messages in the errors test).
#include "subroutines.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

// A call pair is recorded once, however often it is made (the labels and
// returns of every body form are in the sub_* goldens).
TEST(SubBody, LabelsReturnsAndRecordsCallsOnce) {
  const std::string ret = "A>        RETURN", callIn = "A>        CALL INNER1";
  CompileState st;
  Load(st, {"SUB OUTER", callIn, "IF X = 1 THEN", "EXIT SUB", "END IF", callIn, "A>        CALL OTHER", "END SUB"});
  TraduciSubBody(st, 1, st.NoInput);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st), (Lines{"A>OUTER:", callIn, "IF X = 1 THEN", ret, "END IF", callIn, "A>        CALL OTHER", ret}));
  EXPECT_EQ(Rows(st.ArrayCALL, st.NoCALL), (Lines{"OUTER->INNER1", "OUTER->OTHER"}));
}

}  // namespace
}  // namespace velmora
