// The DIM pass and the lookups over FAT.
#include "declarations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_sim.h"
#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::ErrorBlock;
using passtest::Lines;
using passtest::Load;
using passtest::Pane;
using passtest::Program;

// FAT rows as "name|type|size".
Lines Fat(const CompileState& st) {
  Lines rows;
  for (int k = 1; k <= st.NoFAT; ++k)
    rows.push_back(st.FAT[k].name + "|" + st.FAT[k].type + "|" + st.FAT[k].size);
  return rows;
}

TEST(Dim, DeclaresEachNameWithItsSize) {
  struct Row { std::string line; Lines fat; int bytes; };
  const Row rows[] = {
      {"DIM F2 AS FLOAT", {"F2|FLOAT|4"}, 4},
      {"DIM BUF[4] AS INTEGER", {"BUF|INTEGER|8"}, 8},
      {"DIM H[2.5], K[3.5] AS BYTE", {"H|BYTE|2", "K|BYTE|4"}, 6},
      {"DIM X AS BYT", {"X|BYT|1"}, 1},
      {"DIM X AS GER", {"X|GER|4"}, 4},
      {"DIM WX, 1A AS BYTE", {"WX|BYTE|1", "1A|BYTE|1"}, 2},
      {"DIM  P ,Q  AS WORD", {"P|WORD|2", "Q|WORD|2"}, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    CompileState st;
    Load(st, {row.line, "X = 1"});
    TraduciDim(st);
    ASSERT_FALSE(st.Flag_Errore) << Pane(st);
    EXPECT_EQ(Fat(st), row.fat);
    EXPECT_EQ(st.NoByteRAM, row.bytes);
    EXPECT_EQ(Program(st), (Lines{"", "X = 1"}));
  }
}

TEST(Dim, ReportsFaultyDeclarations) {
  struct Row {
    Lines program;
    std::string message;
    int rowsKept;  // FAT rows made before the fault
  };
  const std::string reserved = "Nome di variabile riservato dal sistema o sintassi sbagliata";
  const Row rows[] = {
      {{"DIM X BYTE"}, "Dimensionamento variabile non corretto", 0},
      {{"DIM X AS BIT"}, "Tipologia della variabile non riconoscita", 0},
      {{"DIM AS BYTE"}, "Definizione o nome variabile non ammessa", 0},
      {{"DIM  AS BYTE"}, "Definizione o nome variabile non ammessa", 0},
      {{"DIM A, BUF[4 AS BYTE"}, "Definizione di array non ammessa", 1},
      {{"DIM W AS BYTE"}, reserved, 0},
      {{"DIM A, LOOP AS BYTE"}, reserved, 1},
      {{"DIM MY VAR AS BYTE"}, reserved, 0},
      {{"DIM BUF [4] AS BYTE"}, reserved, 0},
      {{"DIM A, A AS BYTE"}, "Variabile già definita: A", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.program.back());
    CompileState st;
    Load(st, row.program);
    TraduciDim(st);
    EXPECT_EQ(Pane(st), ErrorBlock(row.message, row.program.back()));
    EXPECT_EQ(st.NoFAT, row.rowsKept);
    EXPECT_EQ(st.ArrayInput[st.NoInput], row.program.back()) << "the faulty line stays";
  }
}

TEST(Dim, ChecksTheRamCapacity) {
  const auto capacity = [](int bytes) {
    return "Dimensionamento delle variabili (" + std::to_string(bytes) +
           "-Byte)\r\noltre la capacità consentita di 61-Byte !\r\n(Byte riservati: 7)";
  };
  std::string hundredAndOne = "DIM V1";
  for (int k = 2; k <= 101; ++k) hundredAndOne += ", V" + std::to_string(k);
  std::string hundredAndOneEmpty = "DIM E1[0]";
  for (int k = 2; k <= 101; ++k) hundredAndOneEmpty += ", E" + std::to_string(k) + "[0]";
  struct Row {
    Lines program;
    std::string message;  // empty: accepted
    int fatRows;
  };
  const Row rows[] = {
      {{"DIM A[61] AS BYTE"}, "", 1},
      {{"DIM A[62] AS BYTE"}, capacity(62), 1},
      // More names than FAT rows: stopped at the row that does not fit.
      {{hundredAndOne + " AS BYTE"}, capacity(101), 100},
      {{hundredAndOneEmpty + " AS BYTE"},
       "Troppe variabili: superato il limite di 100 righe della tabella delle variabili", 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.program.front().substr(0, 40));
    CompileState st;
    Load(st, row.program);
    TraduciDim(st);
    const std::string lastDim = row.program.size() > 1 ? row.program[1] : row.program[0];
    EXPECT_EQ(Pane(st), row.message.empty() ? "" : ErrorBlock(row.message, lastDim));
    EXPECT_EQ(st.NoFAT, row.fatRows);
  }
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

TEST(Dim, NameLookups) {
  struct Reserved { const char* name; bool reserved; };
  const Reserved names[] = {{"W", true},   {"F", true},      {"OR", true}, {"LOOP", true}, {"A B", true},
                            {"BUF ", true}, {"WX", false},    {"w", false}, {"LOOPS", false}, {"", false}};
  for (const Reserved& r : names) EXPECT_EQ(IsReservedName(r.name), r.reserved) << r.name;

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

// Declaration order is RAM order: each variable starts where the one before
// it ends, from 0x0C on.
TEST(Dim, VariablesLandAtConsecutiveAddressesOnTheChip) {
  const auto r = test::RunOnChip(
      "DIM P AS BYTE\nDIM BUF[3] AS BYTE\nDIM Q AS WORD\nDIM R AS BYTE\n"
      "P = 11\nR = 22\nEND\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.memory[0x0C], 11);
  EXPECT_EQ(r.memory[0x0C + 1 + 3 + 2], 22);
  EXPECT_EQ(r.Var("R"), 22);
}

}  // namespace
}  // namespace velmora
