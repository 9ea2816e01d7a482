// The statement passes, section by section; what a whole program shows is
// in the goldens, the errors test and the on-chip tests.
#include "do_loop.h"
#include "if_blocks.h"
#include "parentheses.h"
#include "select_case.h"
#include "statements.h"
#include "subroutines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

// ---- IF: the operator search (which branch each operator takes is checked on
// the chip).

TEST(FindOperator, TwoCharacterOperatorsFirstThenOneCharacter) {
  struct Row { const char* text; bool found; const char* op; int pos, len; };
  const Row rows[] = {
      {"IF X = 1 THEN", true, "=", 6, 1},
      {"IF X >= Y THEN", true, ">=", 6, 2},
      {"IF X < Y <> 1 THEN", true, "<>", 10, 2},  // any two-character one beats "<"
      {"IF X >= 1 <= 2 THEN", true, "<=", 11, 2}, // "<=" is searched before ">="
      {"IF X > 1 = 2 THEN", true, "=", 10, 1},    // "=" before ">"
      {"IF X THEN", false, "", 0, 0},
  };
  for (const auto& r : rows) {
    const OperatorFound f = FindOperator(r.text);
    EXPECT_EQ(f.found, r.found) << r.text;
    EXPECT_EQ(f.op, r.op) << r.text;
    EXPECT_EQ(f.pos, r.pos) << r.text;
    EXPECT_EQ(f.len, r.len) << r.text;
  }
}

// ---- Parenthesised logical expressions: the lines left alone (arithmetic, no
// "=", no parentheses, finished lines).
TEST(SplitParentheses, LinesLeftAlone) {
  struct Row { const char* line; Lines want; };
  const Row rows[] = {
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

// ---- The statement dispatcher: lines of no statement are left as they are
// (the lines other passes take are in the statements_forms golden).
TEST(Istruzioni, LeavesOtherLinesAlone) {
  for (const char* line : {"END IF", "X = 5", "FOR X = 1 TO 5", "CLEAR", "SET", "STOPX", "SWAP X",
                           "GOTOX = 1", "WAITING = 5", "WAIT 10, Q"}) {
    CompileState st = Loaded({"PRIMA", line, "DOPO"});
    for (const char* v : {"X", "N"}) AggiungiVariabile(st, v, "BYTE", "1");
    TraduciIstruzione(st, 2);
    EXPECT_EQ(Program(st), (Lines{"PRIMA", line, "DOPO"})) << line;
    EXPECT_EQ(Pane(st), "") << line;
  }
}

// ---- SELECT CASE: a nested block only a colon can reach.

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

// ---- SUB bodies: a call pair is recorded once, however often it is made.
TEST(SubBody, LabelsReturnsAndRecordsCallsOnce) {
  const std::string ret = "A>        RETURN", callIn = "A>        CALL INNER1";
  CompileState st;
  Load(st, {"SUB OUTER", callIn, "IF X = 1 THEN", "EXIT SUB", "END IF", callIn, "A>        CALL OTHER", "END SUB"});
  TraduciSubBody(st, 1, st.NoInput);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st), (Lines{"A>OUTER:", callIn, "IF X = 1 THEN", ret, "END IF", callIn, "A>        CALL OTHER", ret}));
  EXPECT_EQ(Rows(st.ArrayCALL, st.NoCALL), (Lines{"OUTER->INNER1", "OUTER->OTHER"}));
}

// ---- DO ... LOOP: BREAK.

TEST(DoLoop, BreakLeavesThisLoopOnly) {
  // An exact BREAK anywhere in the loop jumps to the exit label; "BREAK X" is
  // not a loop exit; lines outside the loop are left alone.
  CompileState st = Loaded({"BREAK", "DO WHILE X = 1", "IF Y = 2 THEN", "BREAK", "END IF", "BREAK X",
                          "BREAK", "LOOP", "BREAK"});
  NuovaLabel(st);
  NuovaLabel(st);
  DoLoop(st, 2, 8);
  EXPECT_EQ(Program(st), (Lines{"BREAK", LabelLine("@3"), "IF X = 1 THEN", "IF Y = 2 THEN", Ins("GOTO @4"), "END IF",
                               "BREAK X", Ins("GOTO @4"), Ins("GOTO @3"), "END IF", LabelLine("@4"), "BREAK"}));
}

}  // namespace
}  // namespace velmora
