// The statement dispatcher (the emitted lines of the simple statements are in
// the statements_* goldens).
#include "statements.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using namespace passtest;


// Lines of no statement are left as they are (the lines other passes take
// are in the statements_forms golden, the messages in the errors test).
TEST(Istruzioni, LeavesOtherLinesAlone) {
  for (const char* line : {"END IF", "X = 5", "FOR X = 1 TO 5", "CLEAR", "SET", "STOPX", "SWAP X",
                           "GOTOX = 1", "WAITING = 5", "WAIT 10, Q"}) {
    CompileState st = Loaded({"PRIMA", line, "DOPO"});
    for (const char* v : {"X", "N"}) AggiungiVariabile(st, v, "BYTE", "1");
    TraduciIstruzione(st, 2);
    EXPECT_EQ(Program(st), (Lines{"PRIMA", line, "DOPO"})) << line;
    EXPECT_EQ(Pane(st), "") << line;
  }
}

}  // namespace
}  // namespace velmora
