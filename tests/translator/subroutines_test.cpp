// SUB headers, CALL argument passing and SUB bodies: the messages and the
// call pairs (the rewritten lines are in the sub_* goldens).
#include "subroutines.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SubCall, ReportsBadHeadersCallsAndClashes) {
  struct Row { Lines in; std::string message, statement; };
  const Row rows[] = {
      {{"SUB F(X", "END SUB"}, "Controllare la definizione della subroutine", "SUB F(X"},
      // CALL errors show the program's last line, the last one the header scan examined.
      {{"CALL F(X", "SUB F(X)", "END SUB"}, "Livello di parentesi non corretto", "END SUB"},
      {{"CALL DELAY (5)", "SUB DELAY(T)", "X = 1"}, "Impossibile rintracciare la sub CALL DELAY (5)", "X = 1"},
      {{"SUB F", "SUB F()"}, "Subroutine definita due volte con lo stesso nome e lo stesso numero di parametri",
       "SUB F()"},
      {{"SUB F1", "SUB F(Y)"}, "Il nome della subroutine coincide con quello di un'altra subroutine: F1", "SUB F(Y)"},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciSubCall(st);
    EXPECT_EQ(Pane(st), ErrorBlock(r.message, r.statement)) << r.in[0];
  }
}

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
