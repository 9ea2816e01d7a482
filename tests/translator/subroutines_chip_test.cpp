// SUBs on the simulated chip: parameters, nested calls and the call depth.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "chip_sim.h"
#include "text.h"

namespace velmora {
namespace {

using test::RunOnChip;

TEST(SubroutinesOnChip, ParametersAreAssignedAndNestedCallsReturnInOrder) {
  // DUE's EXIT SUB skips its last line; UNO goes on after DUE returns.
  const auto r = RunOnChip(
      "DIM X, Y, S, T, SEEN, FINE AS BYTE\nCALL SOMMA(3, 4)\nCALL SOMMA(S, 10)\nCALL UNO\nFINE = 1\nEND\n"
      "SUB SOMMA(X, Y)\n  S = X + Y\nEND SUB\n"
      "SUB UNO\n  T = T + 1\n  CALL DUE\n  T = T + 10\nEND SUB\n"
      "SUB DUE\n  SEEN = T\n  T = T + 100\n  EXIT SUB\n  T = 0\nEND SUB\n");
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  for (const auto& [name, value] : {std::pair<const char*, int>{"S", 17}, {"X", 7}, {"SEEN", 1}, {"T", 111}, {"FINE", 1}})
    EXPECT_EQ(r.Var(name), value) << name;
}

// A chain of `depth` SUBs, each calling the next; the last one sets DEEP.
std::string Chain(int depth) {
  std::string s = "DIM DEEP, FINE AS BYTE\nCALL S1\nFINE = 1\nEND\n";
  for (int k = 1; k <= depth; ++k) {
    s += "SUB S" + text::Dec(k) + "\n";
    s += k < depth ? "  CALL S" + text::Dec(k + 1) + "\n" : "  DEEP = " + text::Dec(depth) + "\n";
    s += "END SUB\n";
  }
  return s;
}

// Seven nested SUBs run; the eighth is refused (the limits test).
TEST(SubroutinesOnChip, SevenNestedSubsRun) {
  const auto r = RunOnChip(Chain(7));
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  EXPECT_EQ(r.Var("DEEP"), 7);
  EXPECT_EQ(r.Var("FINE"), 1);
}

}  // namespace
}  // namespace velmora
