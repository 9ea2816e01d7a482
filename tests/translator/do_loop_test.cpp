// DO ... LOOP: BREAK (the forms and their NOT rewrites are in the do_*
// goldens, the malformed loops in the errors test).
#include "do_loop.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(DoLoop, BreakLeavesThisLoopOnly) {
  // An exact BREAK anywhere in the loop jumps to the exit label; "BREAK X" is
  // not a loop exit; lines outside the loop are left alone.
  CompileState st = Loaded({"BREAK", "DO WHILE X = 1", "IF Y = 2 THEN", "BREAK", "END IF", "BREAK X",
                          "BREAK", "LOOP", "BREAK"});
  NuovaLabel(st);
  NuovaLabel(st);
  DoLoop(st, 2, 8);
  EXPECT_EQ(Program(st), (Lines{"BREAK", LabelLine("@3"), "IF X = 1 THEN", "IF Y = 2 THEN", Ins("GOTO @4"), "END IF",
                               "BREAK X", Ins("GOTO @4"), Ins("GOTO @3"), "END IF", LabelLine("@4"), "BREAK"}));
}

}  // namespace
}  // namespace velmora
