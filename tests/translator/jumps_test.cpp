// Jump post-processing: compaction, label merging, alias redirection.
#include "jumps.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

std::vector<std::string> PostProcess(const std::vector<std::string>& in) {
  CompileState st;
  for (const auto& l : in) st.ArrayInput[++st.NoInput] = l;
  CompattaProgramma(st);
  RisolviEtichette(st);
  std::vector<std::string> out;
  for (int i = 1; i <= st.NoInput; ++i)
    if (!st.ArrayInput[i].empty()) out.push_back(st.ArrayInput[i]);
  return out;
}

TEST(Jumps, Layouts) {
  struct Case { std::vector<std::string> in, want; };
  const Case cases[] = {
      // A label followed by an instruction shares its line, instruction from column 9.
      {{"A>@5:", "A>        MOVF X , W"}, {"A>@5:     MOVF X , W"}},
      // A label longer than seven characters gets its instruction after one space.
      {{"A>LONGNAME:", "A>        NOP"}, {"A>LONGNAME: NOP"}},
      // The last line is a label: it marks a NOP.
      {{"A>        NOP", "A>@9:"}, {"A>        NOP", "A>@9:     NOP"}},
      // Empty lines and bare "A>" lines disappear.
      {{"", "A>        NOP", "A>", "", "A>        SLEEP"}, {"A>        NOP", "A>        SLEEP"}},
      // @3 and @4 lead to a GOTO @7: a jump to @3 goes straight to @7.
      {{"A>        GOTO @3", "A>        NOP", "A>@3:", "A>@4:", "A>        GOTO @7", "A>@7:", "A>        SLEEP"},
       {"A>        GOTO @7", "A>        NOP", "A>@4:     GOTO @7", "A>@7:     SLEEP"}},
      // Two labels before an ordinary instruction: the first one is an alias of the second.
      {{"A>        GOTO @1", "A>@1:", "A>@2:", "A>        SLEEP"}, {"A>        GOTO @2", "A>@2:     SLEEP"}},
      // A call of FOO, whose label is followed by @6, becomes a call of @6.
      {{"A>        CALL FOO", "A>        SLEEP", "A>FOO:", "A>@6:", "A>        RETURN"},
       {"A>        CALL @6", "A>        SLEEP", "A>@6:     RETURN"}},
      // A SUB label carrying a comment is never redirected.
      {{"A>        CALL FOO", "A>FOO:   ;c", "A>@6:", "A>        RETURN"},
       {"A>        CALL FOO", "A>FOO:   ;c", "A>@6:     RETURN"}},
  };
  for (const auto& c : cases) EXPECT_EQ(PostProcess(c.in), c.want) << c.in.front();
}

TEST(Jumps, ChainedAliasesNeverLeaveADanglingLabel) {
  // @1 and @2 lead to GOTO @4, while @4 is itself an alias of @5: the jump
  // to @1 follows one step only, so @4 must stay in the program.
  const auto out = PostProcess({"A>        GOTO @1", "A>@1:", "A>@2:", "A>        GOTO @4", "A>        NOP", "A>@4:",
                        "A>@5:", "A>        SLEEP"});
  const std::vector<std::string> want = {"A>        GOTO @4", "A>@2:     GOTO @5", "A>        NOP", "A>@4:",
                                         "A>@5:     SLEEP"};
  EXPECT_EQ(out, want);
}

TEST(Jumps, ARunBeforeAnEmptyLineKeepsItsLabel) {
  // The compaction does not look at the last line, so an empty line may stay
  // between a label and the instruction it marks.
  CompileState st;
  for (const char* l : {"A>        GOTO @1", "A>@1:", "", "A>        SLEEP"}) st.ArrayInput[++st.NoInput] = l;
  CompattaProgramma(st);
  RisolviEtichette(st);
  EXPECT_FALSE(st.Flag_Errore);
  EXPECT_EQ(st.ArrayInput[1], "A>        GOTO @1");
  EXPECT_EQ(st.ArrayInput[2], "A>@1:");
  EXPECT_EQ(st.ArrayInput[4], "A>        SLEEP");
}

}  // namespace
}  // namespace velmora
