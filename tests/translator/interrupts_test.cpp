// Interrupt handlers, the timer reload value and the timer/interrupt SET statements.
#include "interrupts.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

// A program with the variable X and the SUBs TICK, EDGE and SHOW(V).
void LoadWithSubs(CompileState& st, const Lines& lines) {
  Load(st, lines);
  st.FAT[++st.NoFAT] = {"X", "BYTE", "1"};
  st.ArraySUB[++st.NoSUB] = {"TICK", "0", ""};
  st.ArraySUB[++st.NoSUB] = {"EDGE", "0", ""};
  st.ArraySUB[++st.NoSUB] = {"SHOW", "1", "V"};
}

TEST(OnInterrupt, SetsTheFlagsOfItsSourceOnly) {
  CompileState st;
  LoadWithSubs(st, {"ON EXTERNAL INTERRUPT CALL EDGE", "ON LINE INTERRUPT CALL SHOW1"});
  TraduciOnInterrupt(st, 1);
  EXPECT_TRUE(st.Flag_INT && st.Flag_INT_RB0 && !st.Flag_INT_TMR0 && !st.Flag_INT_RB);
  TraduciOnInterrupt(st, 2);
  EXPECT_TRUE(st.Flag_INT_RB && !st.Flag_INT_TMR0);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st), (Lines{"", ""}));
  EXPECT_EQ(st.ArrayINT[5], "        GOTO @1");
  EXPECT_EQ(st.ArrayINT[12], "        GOTO @1");
}

TEST(OnInterrupt, ReportsUnknownHandlersAndAFullDispatcher) {
  struct Row { Lines in; std::string message; int lines; };
  const std::string full =
      "Troppe istruzioni ON ... INTERRUPT: il gestore delle interruzioni supera il limite di 30 righe";
  const Row rows[] = {
      // SHOW has a parameter: its label is SHOW1, the bare name does not exist.
      {{"ON LINE INTERRUPT CALL SHOW"}, "Una subroutine di interrupt non può avere parametri", 7},
      // Three timer blocks and one external block fill 29 of the 30 lines.
      {{"ON TIMER INTERRUPT CALL TICK", "ON TIMER INTERRUPT CALL TICK", "ON TIMER INTERRUPT CALL TICK",
        "ON EXTERNAL INTERRUPT CALL EDGE", "ON LINE INTERRUPT CALL TICK"}, full, 29},
  };
  for (const auto& r : rows) {
    CompileState st;
    LoadWithSubs(st, r.in);
    for (int i = 1; i <= st.NoInput && !st.Flag_Errore; ++i) {
      st.IstruzioneCorrente = st.ArrayInput[i];
      TraduciOnInterrupt(st, i);
    }
    EXPECT_EQ(Pane(st), ErrorBlock(r.message, r.in.back()));
    EXPECT_EQ(st.NoINT, r.lines);
  }
}

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
    LoadWithSubs(st, r.in);
    for (int i = 1; i <= st.NoInput; ++i) TraduciSetInitTimer(st, i);
    EXPECT_EQ(Pane(st), r.error.empty() ? "" : ErrorBlock(r.error)) << r.in.back();
    EXPECT_EQ(st.ArrayInput[st.NoInput], r.error.empty() ? "" : r.in.back());
    EXPECT_EQ(st.TimerInit, r.value) << r.in.back();
    EXPECT_EQ(st.TimerInitVar, r.var) << r.in.back();
  }
}

TEST(TimerStatements, PrescalerBitsAndExactMatches) {
  // The PS0, PS1, PS2 lines (5th to 7th of eleven): S sets the bit, C clears it.
  struct Row { std::string rate, ps; };
  const Row rows[] = {{"1/2", "CCC"}, {"1/8", "CSC"}, {"3", "CSC"}, {"1/64", "SCS"}, {"1/256", "SSS"}};
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {"SET TIMER RATE TO " + r.rate});
    TraduciTimerRate(st, 1);
    ASSERT_EQ(st.NoInput, 11) << r.rate;
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(st.ArrayInput[5 + k], std::string("A>        ") + (r.ps[static_cast<size_t>(k)] == 'S' ? "BSF" : "BCF") +
                                          " Reg_Option , Bit_" + std::to_string(k)) << r.rate;
  }
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
