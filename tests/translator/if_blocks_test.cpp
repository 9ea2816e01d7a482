// IF blocks: the operator search (the emitted code of every operand kind is
// in the if_* goldens, which branch each operator takes is checked on the
// chip, the messages in the errors test).
#include "if_blocks.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

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

}  // namespace
}  // namespace velmora
