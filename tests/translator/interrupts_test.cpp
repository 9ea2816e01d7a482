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

Lines Finished(const Lines& instructions) {
  Lines out;
  for (const auto& ins : instructions) out.push_back("A>        " + ins);
  return out;
}

TEST(OnInterrupt, AppendsOneBlockPerStatementSharingTheEndLabel) {
  CompileState st;
  LoadWithSubs(st, {"ON TIMER INTERRUPT CALL TICK", "ON EXTERNAL INTERRUPT CALL EDGE", "ON LINE INTERRUPT CALL SHOW1"});
  TraduciOnInterrupt(st, 2);
  EXPECT_TRUE(st.Flag_INT && st.Flag_INT_RB0 && !st.Flag_INT_TMR0 && !st.Flag_INT_RB);
  TraduciOnInterrupt(st, 1);
  TraduciOnInterrupt(st, 3);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st), (Lines{"", "", ""}));
  EXPECT_TRUE(st.Flag_INT_TMR0 && st.Flag_INT_RB);
  const std::string t = "        ";
  EXPECT_EQ(Rows(st.ArrayINT, st.NoINT),
            (Lines{t + "BTFSS Reg_Intcon , Bit_1", t + "GOTO $+4", t + "CALL EDGE", t + "BCF Reg_Intcon , Bit_1",
                   t + "GOTO @1", t + "BTFSS Reg_Intcon , Bit_2", t + "GOTO $+7", t + "CALL TICK", t + "MOVLW 0",
                   t + "MOVWF Reg_Tmr0", t + "BCF Reg_Intcon , Bit_2", t + "BSF Reg_Intcon , Bit_5", t + "GOTO @1",
                   t + "BTFSS Reg_Intcon , Bit_0", t + "GOTO $+6", t + "CALL SHOW1", t + "MOVF Reg_PortB , W",
                   t + "BCF Reg_Intcon , Bit_0", t + "BSF Reg_Intcon , Bit_3", t + "GOTO @1"}));
}

TEST(OnInterrupt, ReportsUnknownHandlersAndAFullDispatcher) {
  struct Row { Lines in; std::string message; int lines; };
  const std::string full =
      "Troppe istruzioni ON ... INTERRUPT: il gestore delle interruzioni supera il limite di 30 righe";
  const Row rows[] = {
      {{"ON TIMER INTERRUPT CALL NOPE"}, "Subroutine non definita", 8},
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
      {{"SET INIT TIMER TO &HFF"}, 255, "", ""},
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

TEST(TimerStatements, ExactSetStatementsAndPrescalerRatios) {
  const Lines rate1of64 = {"BCF Reg_Intcon , Bit_5", "BCF Reg_Status , Bit_6", "BSF Reg_Status , Bit_5",
                           "BCF Reg_Option , Bit_3", "BSF Reg_Option , Bit_0", "BCF Reg_Option , Bit_1",
                           "BSF Reg_Option , Bit_2", "BCF Reg_Status , Bit_6", "BCF Reg_Status2, Bit_5",
                           "BSF Reg_Intcon , Bit_5", "CLRF Reg_Tmr0"};
  Lines rate1of2 = rate1of64, rate1of256 = rate1of64, rate1of8 = rate1of64;
  rate1of2[4] = "BCF Reg_Option , Bit_0", rate1of2[6] = "BCF Reg_Option , Bit_2";
  rate1of256[5] = "BSF Reg_Option , Bit_1";
  rate1of8[4] = "BCF Reg_Option , Bit_0", rate1of8[5] = "BSF Reg_Option , Bit_1", rate1of8[6] = rate1of2[6];
  struct Row { std::string line; Lines want; };
  const Row rows[] = {
      {"SET TIMER ON", {"BSF Reg_Intcon , Bit_5"}},
      {"SET EXTERNAL INTERRUPT EDGE DOWN", {"BCF Reg_Option , Bit_6"}},
      {"SET LINE INTERRUPT OFF", {"BCF Reg_Intcon , Bit_3"}},
      {"SET EXTERNAL CLOCK", {"BCF Reg_Intcon , Bit_5", "BSF Reg_Status , Bit_5", "BSF Reg_Option , Bit_5",
                              "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5"}},
      {"SET TIMER RATE TO 1/64", rate1of64},
      {"SET TIMER RATE TO 1/2", rate1of2},
      {"SET TIMER RATE TO 1/256", rate1of256},
      {"SET TIMER RATE TO 1/8", rate1of8},
      {"SET TIMER RATE TO 3", rate1of8},
      {"SET TIMER RATE TO 0", {"BCF Reg_Intcon , Bit_5", "BSF Reg_Status , Bit_5", "BSF Reg_Option , Bit_3",
                               "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5", "CLRF Reg_Tmr0"}},
      // Not an exact statement, or a code outside 0..8: left untranslated.
      {"SET TIMER ONX", {}},
      {"SET TIMER ON ", {}},
      {"SET TIMER RATE TO 9", {}},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {r.line, "END"});
    const bool rate = r.line.rfind("SET TIMER RATE TO ", 0) == 0;
    if (rate) TraduciTimerRate(st, 1);
    EXPECT_EQ(rate || TraduciTimerBit(st, 1), rate || !r.want.empty()) << r.line;
    Lines want = r.want.empty() ? Lines{r.line} : Finished(r.want);
    want.push_back("END");
    EXPECT_EQ(Program(st), want) << r.line;
    EXPECT_EQ(Pane(st), "");
  }
  for (const std::string rate : {"1/3", "1/2 "}) {
    CompileState st;
    Load(st, {"SET TIMER RATE TO " + rate});
    TraduciTimerRate(st, 1);
    EXPECT_EQ(Pane(st), ErrorBlock("Impossibiler impostare in Prescaler"));
  }
}

}  // namespace
}  // namespace velmora
