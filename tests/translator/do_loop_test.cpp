// DO ... LOOP: BREAK and the malformed loop (the forms and their NOT rewrites
// are in the do_* goldens).
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

TEST(DoLoop, UnsupportedCombinationsAreReported) {
  struct Row { const char* doLine; const char* loopLine; };
  const Row rows[] = {
      {"DO WHILE X = 1", "LOOP WHILE Y = 1"},
      {"DO", "LOOP FOREVER"},
      {"DO FOREVER", "LOOP"},
      {"DOX = 1", "LOOP"},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.doLine, "BREAK", r.loopLine});
    DoLoop(st, 1, 3);
    EXPECT_TRUE(st.Flag_Errore) << r.doLine;
    EXPECT_EQ(st.TextASM, std::string("<*> ERRORE : Impossibile risolvere il ciclo Do While...LOOP\r\n"
                                      "---istruzione---\r\n") + r.doLine);
    // Both labels were taken, and the BREAK already points at the exit label.
    EXPECT_EQ(st.ArrayInput[2], "A>        GOTO @2");
    EXPECT_EQ(NuovaLabel(st), "@3");
  }
}

}  // namespace
}  // namespace velmora
