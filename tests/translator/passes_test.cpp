// SPDX-License-Identifier: GPL-3.0-or-later
// The translator's passes one by one, in the order they run: a program loaded
// into a fresh compile state, one pass run, the lines and tables read back.
// What a whole program shows is in the goldens, the errors test, the limits
// test and the on-chip tests; these are the cases they cannot reach.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "asm_writer.h"
#include "assignment.h"
#include "compile_state.h"
#include "declarations.h"
#include "encoding.h"
#include "if_blocks.h"
#include "jumps.h"
#include "parentheses.h"
#include "subroutines.h"
#include "text.h"

namespace velmora {
namespace {

// A program loaded into a fresh compile state, and read back.
CompileState Loaded(const Lines& lines) {
  CompileState st;
  st.ResetForTranslation();
  for (const auto& l : lines) st.ArrayInput[++st.NoInput] = l;
  return st;
}

Lines Program(const CompileState& st) {
  Lines out;
  for (int i = 1; i <= st.NoInput; ++i) out.push_back(st.ArrayInput[i]);
  return out;
}

// The pane text in UTF-8.
std::string Pane(const CompileState& st) { return encoding::Cp1252ToUtf8(st.TextASM); }

// ---- DIM: every type's size, and a name gpasm would refuse is still declared
// (the RAM layout is in the dim_* goldens; where DIM is collected, in the
// collect_above_first_if golden and the errors test).
TEST(Dim, VariableSizes) {
  CompileState st = Loaded({"DIM B1, A[3], 1A AS BYTE", "DIM I AS INTEGER", "DIM W1 AS WORD", "DIM S AS SINGLE",
                            "DIM F1 AS FLOAT", "DIM L AS LONG", "DIM G AS GER", "DIM Y AS BYT"});
  TraduciDim(st);
  ASSERT_FALSE(st.Flag_Errore) << Pane(st);
  struct Size { const char* name; int size; };
  const Size sizes[] = {{"B1", 1}, {"A", 1}, {"I", 2}, {"W1", 2}, {"S", 4}, {"F1", 4},
                        {"L", 8},  {"G", 1}, {"Y", 1}, {"1A", 1}, {"", 0}, {"NOPE", 0}, {"b1", 0}};
  for (const Size& s : sizes) EXPECT_EQ(VariableSize(st, s.name), s.size) << s.name;
}

// ---- The assembly writer's RAM check (the frame, the runtime routines and the
// definitions file are compared byte for byte or assembled by the goldens).

TEST(AsmWriter, WorkBytesBeyondTheRamAreReported) {
  // BIG + W#VLTx + W#VLTy + the three context bytes against the 68 bytes of RAM.
  for (const int big : {63, 64}) {
    CompileState st;
    AggiungiVariabile(st, "BIG", "BYTE", std::to_string(big));
    st.Flag_VLTy = st.Flag_INT = true;
    st.LabelFineINT = "@1";
    ScriviASM(st);
    EXPECT_EQ(st.Flag_Errore, big == 64) << big;
    EXPECT_EQ(text::StartsWith(st.TextASM, "<*> ERRORE : Memoria RAM esaurita"), big == 64) << big;
  }
}

// ---- Assignments: the number tests and the four-byte constant encoder (the
// emitted lines are in the assign_* goldens).

// The encoder writes a single-precision value's bits as exponent byte, sign,
// 23 mantissa bits.
TEST(Assegnazione, FloatEncodingMatchesSinglePrecisionBits) {
  CompileState st;
  // From 1 up every mantissa bit is kept; so it is for fractions of few binary
  // places (1.1 is single 3F8CCCCD: exponent 7F, sign 0, mantissa 0CCCCD).
  const std::pair<float, const char*> rows[] = {
      {1.5f, "7F400000"},  {-2.25f, "80900000"},  {1.0f, "7F000000"}, {255.75f, "867FC000"},
      {3.14159f, "80490FD0"}, {-100.1f, "85C83333"}, {0.5f, "7E000000"}, {0.375f, "7D400000"},
      {128.0f, "86000000"}, {1.1f, "7F0CCCCD"}};
  for (const auto& [v, want] : rows) EXPECT_EQ(ConvertiFloat(st, v), want) << v;
  EXPECT_EQ(ConvertiFloat(st, 0.0), "00000000");
  // Below 1 only 23 fraction places are read: 0.1 (single bits 3DCCCCCD) has
  // its leading one at the fourth, so the last four mantissa bits are lost.
  EXPECT_EQ(ConvertiFloat(st, 0.1f), "7B4CCCC0");
  // No one within 23 places: exponent 0, empty mantissa, the sign kept.
  EXPECT_EQ(ConvertiFloat(st, -1e-9f), "7F800000");
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(ConvertiFloat(st, 256.0), "00000000");
  EXPECT_TRUE(st.Flag_Errore);
}

TEST(Assegnazione, IsNumberFollowsTheCanonicalText) {
  struct Row { const char* text; bool want; };
  const Row rows[] = {
      {"12", true},   {"-3", true},   {"1.5", true},   {".5", true},   {"-.5", true},   {"0", true},
      {" 12 ", true}, {"1,5", true},  {"&HZZ", true},  {"012", false}, {"0.5", false},  {"1.50", false},
      {"+3", false},  {"5A", false},  {"-0", false},   {"", false},    {"1E3", false},  {"1.", false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsNumber(r.text), r.want) << "[" << r.text << "]";
}

TEST(Assegnazione, HexOperandoKeepsTheLowByteOfSixteenBits) {
  struct Row { const char* text; const char* want; };
  const Row rows[] = {{"300", "0x2C"}, {"-1", "0xFF"},     {"0", "0"},       {"256", "0x00"},
                      {"2.5", "0x02"}, {"3.5", "0x04"},    {"&HFFFF", "0xFF"}, {"-32768", "0x00"},
                      {"32768", ""},   {"-32769", ""},     {"&H10000", ""}};
  for (const auto& r : rows) {
    CompileState st;
    st.IstruzioneCorrente = "X = Y + " + std::string(r.text);
    EXPECT_EQ(HexOperando(st, r.text), r.want) << r.text;
    const std::string refused = "<*> ERRORE : Costante numerica non ammessa\r\n---istruzione---\r\n";
    EXPECT_EQ(Pane(st), *r.want ? "" : refused + st.IstruzioneCorrente);
  }
}

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
    EXPECT_EQ(std::tuple(f.found, f.op, f.pos, f.len), std::tuple(r.found, std::string(r.op), r.pos, r.len)) << r.text;
  }
}

// ---- Parenthesised logical expressions: the lines left alone (arithmetic, no
// "=", finished lines; one without parentheses is in the assign_logic golden).
TEST(SplitParentheses, LinesLeftAlone) {
  struct Row { const char* line; Lines want; };
  const Row rows[] = {
      {"X = DIV10(A) + 1", {"X = DIV10(A) + 1"}},
      {"CALL F(A AND B)", {"CALL F(A AND B)"}},
      {"A>        ANDLW (3) AND X = 1", {"A>        ANDLW (3) AND X = 1"}},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line});
    SplitParentheses(st);
    EXPECT_FALSE(st.Flag_Errore) << r.line << "\n" << st.TextASM;
    EXPECT_EQ(Program(st), r.want) << r.line;
  }
}

// ---- SUB bodies: a call pair is recorded once, however often it is made.
TEST(SubBody, LabelsReturnsAndRecordsCallsOnce) {
  const std::string ret = "A>        RETURN", callIn = "A>        CALL INNER1";
  CompileState st =
      Loaded({"SUB OUTER", callIn, "IF X = 1 THEN", "EXIT SUB", "END IF", callIn, "A>        CALL OTHER", "END SUB"});
  TraduciSubBody(st, 1, st.NoInput);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st),
            (Lines{"A>OUTER:", callIn, "IF X = 1 THEN", ret, "END IF", callIn, "A>        CALL OTHER", ret}));
  EXPECT_EQ(st.NoCALL, 2);
  EXPECT_EQ(st.ArrayCALL[1] + " " + st.ArrayCALL[2], "OUTER->INNER1 OUTER->OTHER");
}

// ---- Jump post-processing: compaction, label merging, alias redirection.

std::vector<std::string> PostProcess(const std::vector<std::string>& in) {
  CompileState st;
  for (const auto& l : in) st.ArrayInput[++st.NoInput] = l;
  CompattaProgramma(st);
  RisolviEtichette(st);
  EXPECT_FALSE(st.Flag_Errore) << st.TextASM;
  std::vector<std::string> out;
  for (int i = 1; i <= st.NoInput; ++i)
    if (!st.ArrayInput[i].empty()) out.push_back(st.ArrayInput[i]);
  return out;
}

// (A label sharing its line with the next instruction, a label alias, and a
// SUB label, with its comment, never redirected, are in the goldens.)
TEST(Jumps, Layouts) {
  struct Case { std::vector<std::string> in, want; };
  const Case cases[] = {
      // The last line is a label: it marks a NOP.
      {{"A>        NOP", "A>@9:"}, {"A>        NOP", "A>@9:     NOP"}},
      // @3 and @4 lead to a GOTO @7: a jump to @3 goes straight to @7.
      {{"A>        GOTO @3", "A>        NOP", "A>@3:", "A>@4:", "A>        GOTO @7", "A>@7:", "A>        SLEEP"},
       {"A>        GOTO @7", "A>        NOP", "A>@4:     GOTO @7", "A>@7:     SLEEP"}},
      // A call of FOO, whose label is followed by @6, becomes a call of @6.
      {{"A>        CALL FOO", "A>        SLEEP", "A>FOO:", "A>@6:", "A>        RETURN"},
       {"A>        CALL @6", "A>        SLEEP", "A>@6:     RETURN"}},
      // @1 and @2 lead to GOTO @4, while @4 is itself an alias of @5: the jump
      // to @1 follows one step only, so @4 must stay in the program.
      {{"A>        GOTO @1", "A>@1:", "A>@2:", "A>        GOTO @4", "A>        NOP", "A>@4:", "A>@5:",
        "A>        SLEEP"},
       {"A>        GOTO @4", "A>@2:     GOTO @5", "A>        NOP", "A>@4:", "A>@5:     SLEEP"}},
      // The compaction does not look at the last line, so an empty line may
      // stay between a label and the instruction it marks.
      {{"A>        GOTO @1", "A>@1:", "", "A>        SLEEP"}, {"A>        GOTO @1", "A>@1:", "A>        SLEEP"}},
  };
  for (const auto& c : cases) EXPECT_EQ(PostProcess(c.in), c.want) << c.in.front();
}

}  // namespace
}  // namespace velmora
