// DO ... LOOP: the five forms, the NOT rewrites, BREAK and the malformed loop.
#include "do_loop.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;

TEST(DoLoop, EveryFormWithItsNegations) {
  struct Row { const char* doLine; const char* loopLine; const char* want; };
  const Row rows[] = {
      {"DO", "LOOP WHILE X = 1", "@1:|BODY|IF X = 1 THEN|GOTO @1|END IF|@2:"},
      // NOT folds into the keyword
      {"DO WHILE NOT X = 0", "LOOP", "@1:|IF X = 0 THEN|GOTO @2|END IF|BODY|GOTO @1|@2:"},
      {"DO UNTIL NOT X = 0", "LOOP", "@1:|IF X = 0 THEN|BODY|GOTO @1|END IF|@2:"},
      {"DO", "LOOP NOT X = 0", "@1:|BODY|IF X = 0 THEN|GOTO @2|END IF|GOTO @1|@2:"},
      {"DO", "LOOP UNTIL NOT X = 0", "@1:|BODY|IF X = 0 THEN|GOTO @1|END IF|@2:"},
  };
  for (const auto& r : rows) {
    CompileState st = Loaded({r.doLine, "BODY", r.loopLine});
    DoLoop(st, 1, 3);
    EXPECT_FALSE(st.Flag_Errore) << r.doLine << " / " << r.loopLine;
    EXPECT_EQ(Program(st), Expand(r.want)) << r.doLine << " / " << r.loopLine;
  }
}

TEST(DoLoop, BreakLeavesThisLoopOnly) {
  // An exact BREAK anywhere in the loop jumps to the exit label; "BREAK X" is
  // not a loop exit; lines outside the loop are left alone.
  CompileState st = Loaded({"BREAK", "DO WHILE X = 1", "IF Y = 2 THEN", "BREAK", "END IF", "BREAK X",
                          "BREAK", "LOOP", "BREAK"});
  NuovaLabel(st);
  NuovaLabel(st);
  DoLoop(st, 2, 8);
  EXPECT_EQ(Program(st), Expand("BREAK|@3:|IF X = 1 THEN|IF Y = 2 THEN|GOTO @4|END IF|BREAK X|GOTO @4|"
                                "GOTO @3|END IF|@4:|BREAK"));
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
