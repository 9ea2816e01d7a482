// The timer reload value and the timer SET statements that are not taken (the
// handlers, the ratios and their limits are in the interrupt_* goldens and
// the limits test, the messages in the errors test).
#include "interrupts.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SetInitTimer, RecordsAConstantOrAVariable) {
  struct Row { const char* line; int value; std::string var; };
  const Row rows[] = {{"SET INIT TIMER TO 6", 6, ""}, {"SET INIT TIMER TO 2.5", 2, ""}, {"SET INIT TIMER TO X", 0, "X"}};
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line});
    AggiungiVariabile(st, "X", "BYTE", "1");
    TraduciSetInitTimer(st, 1);
    EXPECT_EQ(Pane(st), "") << r.line;
    EXPECT_EQ(Program(st), Lines{""}) << r.line;
    EXPECT_EQ(st.TimerInit, r.value) << r.line;
    EXPECT_EQ(st.TimerInitVar, r.var) << r.line;
  }
}

// The prescaler bits of each ratio are in the interrupt_* goldens.
TEST(TimerStatements, InexactStatementsAreLeftAlone) {
  // Not an exact statement, or a code outside 0..8: the line stays for the unresolved-line check.
  for (const std::string line : {"SET TIMER ONX", "SET TIMER ON ", "SET TIMER RATE TO 9"}) {
    CompileState st;
    Load(st, {line});
    if (line.find("RATE") == std::string::npos) {
      EXPECT_FALSE(TraduciTimerBit(st, 1)) << line;
    } else {
      TraduciTimerRate(st, 1);
    }
    EXPECT_EQ(Program(st), Lines{line});
    EXPECT_EQ(Pane(st), "");
  }
  {  // a trailing blank is not one of the listed ratios
    CompileState st;
    Load(st, {"SET TIMER RATE TO 1/2 "});
    TraduciTimerRate(st, 1);
    EXPECT_EQ(Pane(st), ErrorBlock("Impossibiler impostare in Prescaler"));
  }
}

}  // namespace
}  // namespace velmora
