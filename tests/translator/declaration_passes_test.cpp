// The declaration passes and the values they record, section by section;
// what a whole program shows is in the goldens, the errors test and the
// limits test.
#include "asm_writer.h"
#include "assignment.h"
#include "constants_config.h"
#include "data_eeprom.h"
#include "declarations.h"
#include "interrupts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

// ---- CONST/SYMBOL substitution and where CONFIG collection stops.

TEST(ConstSymbol, SubstitutesWholeWordsInDeclarationOrder) {
  struct Row { Lines in, want; };
  const Row rows[] = {
      {{"CONST X = X + 1", "Y = X+X"}, {"", "Y = X + 1+X + 1"}},
      {{"CONST N = 9", "X = N1 + 1N + _N + N# + (N)"}, {"", "X = N1 + 1N + _9 + 9# + (9)"}},
      // Collection stops at the first IF, FOR or DO; substitution covers every line.
      {{"CONST N = 2", "DO", "CONST M = 3", "X = N + M"}, {"", "DO", "CONST M = 3", "X = 2 + M"}},
      {{"FOR I = 1 TO 3", "CONST N = 2"}, {"FOR I = 1 TO 3", "CONST N = 2"}},
      {{"CONST = 5", "CONST Z =", "X = Z"}, {"", "", "X = "}},  // an empty name matches nothing
  };
  for (const auto& r : rows) {
    CompileState st;
    Load(st, r.in);
    TraduciConstSymbol(st);
    EXPECT_EQ(Pane(st), "");
    EXPECT_EQ(Program(st), r.want) << r.in[0];
  }
}

// Collection stops at the first IF and starts its table afresh (the folding
// of CONFIG lines is in the config_ports golden).
TEST(Config, StopsAtTheFirstIf) {
  CompileState st;
  Load(st, {"IF X = 1 THEN", "CONFIG A AS INPUT"});
  st.NoInit = 7;
  TraduciConfig(st);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(Program(st), (Lines{"IF X = 1 THEN", "CONFIG A AS INPUT"}));
  EXPECT_EQ(st.NoInit, 0);
}

// ---- DATA: where it is collected (the table is in the data_* goldens).

TEST(Data, CollectsBytesOfEveryStatementAboveTheFirstIf) {
  CompileState st;
  Load(st, {"DATA 1, 2", "X = 1", "DATA 3", "IF X = 1 THEN", "DATA 4"});
  TraduciData(st);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(std::vector<int>(st.ArrayDATA.begin() + 1, st.ArrayDATA.begin() + 1 + st.NoDATA), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Program(st), (Lines{"", "X = 1", "", "IF X = 1 THEN", "DATA 4"}));
}

// ---- DIM and the lookups over FAT (the RAM layout of every type is in the
// dim_* goldens).

// FAT rows as "name|type|size".
Lines Fat(const CompileState& st) {
  Lines rows;
  for (int k = 1; k <= st.NoFAT; ++k)
    rows.push_back(st.FAT[k].name + "|" + st.FAT[k].type + "|" + st.FAT[k].size);
  return rows;
}

// A name gpasm would refuse is still declared (the sizes of every type are in
// the dim_* goldens).
TEST(Dim, DeclaresEachNameWithItsSize) {
  CompileState st;
  Load(st, {"DIM WX, 1A AS BYTE", "X = 1"});
  TraduciDim(st);
  ASSERT_FALSE(st.Flag_Errore) << Pane(st);
  EXPECT_EQ(Fat(st), (Lines{"WX|BYTE|1", "1A|BYTE|1"}));
  EXPECT_EQ(st.NoByteRAM, 2);
  EXPECT_EQ(Program(st), (Lines{"", "X = 1"}));
}

TEST(Dim, CollectsOnlyAboveTheFirstIfOrDo) {
  struct Row { Lines program; Lines after; int fatRows; };
  const Row rows[] = {
      {{"DIM A AS BYTE", "IF A = 1 THEN", "DIM B AS BYTE"}, {"", "IF A = 1 THEN", "DIM B AS BYTE"}, 1},
      {{"DO WHILE A = 1", "DIM B AS BYTE"}, {"DO WHILE A = 1", "DIM B AS BYTE"}, 0},
      {{"DO", "DIM B AS BYTE", "LOOP"}, {"DO", "", "LOOP"}, 1},
      {{"A>START:", "DIM B AS BYTE"}, {"A>START:", ""}, 1},
      {{"X = 1", "DIMX AS BYTE"}, {"X = 1", "DIMX AS BYTE"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.program.front());
    CompileState st;
    Load(st, row.program);
    TraduciDim(st);
    ASSERT_FALSE(st.Flag_Errore) << Pane(st);
    EXPECT_EQ(Program(st), row.after);
    EXPECT_EQ(st.NoFAT, row.fatRows);
  }
}

TEST(Dim, VariableSizes) {
  CompileState st;
  Load(st, {"DIM B1, A[3] AS BYTE", "DIM I AS INTEGER", "DIM W1 AS WORD", "DIM S AS SINGLE",
            "DIM F1 AS FLOAT", "DIM L AS LONG", "DIM G AS GER", "DIM Y AS BYT"});
  TraduciDim(st);
  ASSERT_FALSE(st.Flag_Errore) << Pane(st);
  struct Size { const char* name; int size; };
  const Size sizes[] = {{"B1", 1}, {"A", 1}, {"I", 2}, {"W1", 2}, {"S", 4}, {"F1", 4},
                        {"L", 8},  {"G", 1}, {"Y", 1}, {"", 0},  {"NOPE", 0}, {"b1", 0}};
  for (const Size& s : sizes) EXPECT_EQ(VariableSize(st, s.name), s.size) << s.name;
}

// ---- The timer reload value (the handlers and the prescaler bits of each
// ratio are in the interrupt_* goldens).

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

// The bits of a single-precision value laid out as the encoder writes them:
// exponent byte, sign, 23 mantissa bits.
std::string Riordina(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const uint32_t out = (((bits >> 23) & 0xFF) << 24) | ((bits >> 31) << 23) | (bits & 0x7FFFFF);
  char buf[9];
  std::snprintf(buf, sizeof buf, "%08X", out);
  return buf;
}

TEST(Assegnazione, FloatEncodingMatchesSinglePrecisionBits) {
  CompileState st;
  // From 1 up every mantissa bit is kept; so it is for fractions of few binary places.
  for (float v : {1.5f, -2.25f, 1.0f, 255.75f, 3.14159f, -100.1f, 0.5f, 0.375f, 128.0f, 1.1f})
    EXPECT_EQ(ConvertiFloat(st, v), Riordina(v)) << v;
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
    EXPECT_EQ(Pane(st), *r.want ? "" : ErrorBlock("Costante numerica non ammessa", st.IstruzioneCorrente));
  }
}

}  // namespace
}  // namespace velmora
