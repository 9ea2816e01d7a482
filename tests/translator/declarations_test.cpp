// The DIM pass and the lookups over FAT (the RAM layout of every type is in
// the dim_* goldens, the capacities in the limits test).
#include "declarations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass_fixture.h"

namespace velmora {
namespace {

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

// Reserved names are in the DIM messages above.
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

}  // namespace
}  // namespace velmora
