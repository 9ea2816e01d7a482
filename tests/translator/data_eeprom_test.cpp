// The DATA table: where DATA is collected (the emitted lines are in
// data_forms, data_table, write_eeprom; the limits in the limits test, the
// messages in the errors test).
#include "data_eeprom.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(Data, CollectsBytesOfEveryStatementAboveTheFirstIf) {
  CompileState st;
  Load(st, {"DATA 1, 2", "X = 1", "DATA 3", "IF X = 1 THEN", "DATA 4"});
  TraduciData(st);
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(std::vector<int>(st.ArrayDATA.begin() + 1, st.ArrayDATA.begin() + 1 + st.NoDATA), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Program(st), (Lines{"", "X = 1", "", "IF X = 1 THEN", "DATA 4"}));
}

}  // namespace
}  // namespace velmora
