// SUB headers, CALL argument passing and SUB bodies.
#include "subroutines.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(SubCall, RecordsHeadersAndTurnsArgumentsIntoAssignments) {
  struct Row { Lines in, want, subs; };
  const Row rows[] = {
      {{"CALL DELAY(50)", "SUB DELAY(T)"}, {"T = 50", "CALL DELAY1", "SUB DELAY1"}, {"DELAY|1|T"}},
      {{"CALL RESET_ALL()", "SUB RESET_ALL()"}, {"CALL RESET_ALL", "SUB RESET_ALL"}, {"RESET_ALL|0|"}},
      {{"CALL BLINK", "SUB BLINK"}, {"CALL BLINK", "SUB BLINK"}, {"BLINK|0|"}},
      // Pieces keep the blank after a comma; the assignment pass trims them later.
      {{"CALL F(1, X)", "CALL F(Y,2)", "SUB F(A, B)"},
       {"A = 1", " B =  X", "CALL F2", "A = Y", " B = 2", "CALL F2", "SUB F2"}, {"F|2|A, B"}},
      // One name, two parameter counts: two distinct routines.
      {{"CALL G(1,2)", "CALL G(1)", "SUB G(P)", "SUB G(P,Q)"},
       {"P = 1", "Q = 2", "CALL G2", "P = 1", "CALL G1", "SUB G1", "SUB G2"}, {"G|1|P", "G|2|P,Q"}},
      {{"CALL H(1)"}, {"CALL H(1)"}, {}},  // no SUB at all: left for the dispatcher
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciSubCall(st);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(Program(st), r.want) << r.in[0];
    Lines subs;
    for (int k = 1; k <= st.NoSUB; ++k)
      subs.push_back(st.ArraySUB[k].name + "|" + st.ArraySUB[k].count + "|" + st.ArraySUB[k].params);
    EXPECT_EQ(subs, r.subs) << r.in[0];
  }
}

TEST(SubCall, ReportsBadHeadersCallsClashesAndTooManySubs) {
  struct Row { Lines in; std::string message, statement; };
  std::vector<Row> rows = {
      {{"SUB F(X", "END SUB"}, "Controllare la definizione della subroutine", "SUB F(X"},
      // CALL errors show the program's last line, the last one the header scan examined.
      {{"CALL F(X", "SUB F(X)", "END SUB"}, "Livello di parentesi non corretto", "END SUB"},
      {{"CALL DELAY (5)", "SUB DELAY(T)", "X = 1"}, "Impossibile rintracciare la sub CALL DELAY (5)", "X = 1"},
      {{"SUB F", "SUB F()"}, "Subroutine definita due volte con lo stesso nome e lo stesso numero di parametri",
       "SUB F()"},
      {{"SUB F1", "SUB F(Y)"}, "Il nome della subroutine coincide con quello di un'altra subroutine: F1", "SUB F(Y)"},
      {{}, "Troppe subroutine: il programma ne può definire al massimo 50", "SUB S51"},
  };
  for (int k = 1; k <= 51; ++k) rows.back().in.push_back("SUB S" + text::Dec(k));
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciSubCall(st);
    EXPECT_EQ(Pane(st), ErrorBlock(r.message, r.statement)) << r.in[0];
  }
}

TEST(SubBody, LabelsReturnsAndRecordsCallsOnce) {
  const std::string ret = "A>        RETURN", callIn = "A>        CALL INNER1";
  struct Row { Lines in; Lines want, calls; };
  const Row rows[] = {
      {{"SUB OUTER", callIn, "IF X = 1 THEN", "EXIT SUB", "END IF", callIn, "A>        CALL OTHER", "END SUB"},
       {"A>OUTER:", callIn, "IF X = 1 THEN", ret, "END IF", callIn, "A>        CALL OTHER", ret},
       {"OUTER->INNER1", "OUTER->OTHER"}},
      // A body opening with a DO keeps its label on a line of its own.
      {{"SUB SPIN", "DO WHILE X = 1", "END SUB"}, {"A>SPIN:   ;subroutine tradotta da Velmora", "DO WHILE X = 1", ret},
       {}},
      {{"SUB SPIN", "DO", "END SUB"}, {"A>SPIN:   ;subroutine tradotta da Velmora", "DO", ret}, {}},
      {{"SUB DOER", "DOX = 1", "END SUB"}, {"A>DOER:", "DOX = 1", ret}, {}},
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciSubBody(st, 1, st.NoInput);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(Program(st), r.want) << r.in[1];
    EXPECT_EQ(Rows(st.ArrayCALL, st.NoCALL), r.calls) << r.in[1];
  }
}

TEST(SubBody, StopsAtTheHundredAndFirstCallPair) {
  CompileState st;
  Lines lines{"SUB A1"};
  for (int k = 1; k <= 60; ++k) lines.push_back("A>        CALL T" + text::Dec(k));
  lines.push_back("END SUB");
  lines.push_back("SUB A2");
  for (int k = 1; k <= 41; ++k) lines.push_back("A>        CALL T" + text::Dec(k));
  lines.push_back("END SUB");
  Load(st, lines);
  st.IstruzioneCorrente = "SUB A2";
  TraduciSubBody(st, 1, 62);
  TraduciSubBody(st, 63, st.NoInput);
  EXPECT_EQ(st.NoCALL, 100);
  EXPECT_EQ(st.ArrayCALL[100], "A2->T40");
  EXPECT_EQ(Pane(st), ErrorBlock("Il programma contiene troppe chiamate a subroutine."));
}

}  // namespace
}  // namespace velmora
