// Parenthesised logical expressions: the lines left alone (the groups are in
// the parentheses_* goldens, the limits in the limits test, the messages in
// the errors test).
#include "parentheses.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

// Left alone: arithmetic, no "=", no parentheses, finished lines (the groups
// are in the parentheses_* goldens).
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

}  // namespace
}  // namespace velmora
