// CONST/SYMBOL substitution and where CONFIG collection stops (the messages
// are in the errors test).
#include "constants_config.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

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

}  // namespace
}  // namespace velmora
