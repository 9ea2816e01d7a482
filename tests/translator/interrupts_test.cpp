// The timer reload value and the timer SET statements that are not taken (the
// handlers, the ratios and their limits are in the interrupt_* goldens and
// the limits test).
#include "interrupts.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SetInitTimer, RecordsAConstantOrAVariableOnce) {
  struct Row { Lines in; int value; std::string var, error; };
  const Row rows[] = {
      {{"SET INIT TIMER TO 6"}, 6, "", ""},
      {{"SET INIT TIMER TO 2.5"}, 2, "", ""},
      {{"SET INIT TIMER TO X"}, 0, "X", ""},
      {{"SET INIT TIMER TO 256"}, 0, "", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO 256"},
      {{"SET INIT TIMER TO -1"}, 0, "", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO -1"},
      {{"SET INIT TIMER TO 99999"}, 0, "", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO 99999"},
      {{"SET INIT TIMER TO 12X"}, 0, "", "Variabile non definita: SET INIT TIMER TO 12X"},
      {{"SET INIT TIMER TO 6", "SET INIT TIMER TO 7"}, 6, "", "L'istruzione 'Init Timer' deve essere unica."},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    st.FAT[++st.NoFAT] = {"X", "BYTE", "1"};
    for (int i = 1; i <= st.NoInput; ++i) TraduciSetInitTimer(st, i);
    EXPECT_EQ(Pane(st), r.error.empty() ? "" : ErrorBlock(r.error)) << r.in.back();
    EXPECT_EQ(st.ArrayInput[st.NoInput], r.error.empty() ? "" : r.in.back());
    EXPECT_EQ(st.TimerInit, r.value) << r.in.back();
    EXPECT_EQ(st.TimerInitVar, r.var) << r.in.back();
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
