// SUBs on the simulated chip: parameters, EXIT SUB, nested calls and the
// deepest chain the stack holds (one more is refused: the limits test).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "chip_sim.h"
#include "text.h"

namespace velmora {
namespace {

TEST(SubroutinesOnChip, ParametersExitAndNestedCallsReturnInOrder) {
  // DUE's EXIT SUB skips its last line; UNO goes on after DUE returns; S1
  // calls S2 and so on down to S7, which sets DEEP.
  std::string chain;
  for (int k = 1; k <= 7; ++k)
    chain += "SUB S" + text::Dec(k) + (k < 7 ? "\n  CALL S" + text::Dec(k + 1) : "\n  DEEP = 7") + "\nEND SUB\n";
  const auto r = test::RunOnChip(
      "DIM X, Y, S, T, SEEN, DEEP, FINE AS BYTE\nCALL SOMMA(3, 4)\nCALL SOMMA(S, 10)\nCALL UNO\nCALL S1\nFINE = 1\n"
      "END\nSUB SOMMA(X, Y)\n  S = X + Y\nEND SUB\nSUB UNO\n  T = T + 1\n  CALL DUE\n  T = T + 10\nEND SUB\n"
      "SUB DUE\n  SEEN = T\n  T = T + 100\n  EXIT SUB\n  T = 0\nEND SUB\n" + chain);
  ASSERT_TRUE(r.ok()) << r.assembly << r.log;
  for (const auto& [name, value] : {std::pair<const char*, int>{"S", 17}, {"X", 7}, {"SEEN", 1}, {"T", 111},
                                    {"DEEP", 7}, {"FINE", 1}})
    EXPECT_EQ(r.Var(name), value) << name;
}

}  // namespace
}  // namespace velmora
