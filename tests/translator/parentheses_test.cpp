// Parenthesised logical expressions: the lines left alone and the checks (the
// groups are in the parentheses_* goldens, the limits in the limits test).
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

TEST(SplitParentheses, Errors) {
  struct Row { const char* line; const char* message; Lines after; };
  const Row rows[] = {
      {"X = (A AND B", "Livello di parentesi non bilanciato", {"X = (A AND B"}},
      {"X = A AND B)", "Livello di parentesi non bilanciato", {"X = A AND B)"}},
      {"MOTOR = (A AND B)", "Controllore il livello di parentesi", {"MOTOR = A AND B"}},
      {"X = (A AND B OR C)", "Controllore il livello di parentesi", {"X = A AND B OR C"}},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.line, "NEXT = (A AND B)"});
    SplitParentheses(st);
    EXPECT_TRUE(st.Flag_Errore) << r.line;
    EXPECT_EQ(st.TextASM, std::string("<*> ERRORE : ") + r.message + "\r\n---istruzione---\r\n" + r.line);
    Lines want = r.after;
    want.push_back("NEXT = (A AND B)");  // the pass stops at the first error
    EXPECT_EQ(Program(st), want) << r.line;
  }
}

}  // namespace
}  // namespace velmora
