// FOR ... NEXT: the checks in their order. The fixed and general forms and
// BREAK are in the for_* goldens; loop counts are checked on the chip.
#include "for_next.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::Lines;

struct Outcome { CompileState st; Lines lines; };

Outcome Lower(const Lines& source, int forLine, int nextLine) {
  Outcome r;
  passtest::Load(r.st, source);
  for (const char* v : {"I", "A", "B", "S", "N"}) AggiungiVariabile(r.st, v, "BYTE", "1");
  ForNext(r.st, forLine, nextLine);
  r.lines = passtest::Program(r.st);
  return r;
}

TEST(ForNext, ChecksInOrder) {
  struct Row { const char* forLine; const char* nextLine; const char* message; const char* statement; };
  const Row rows[] = {
      {"FOR I 1 TO 10", "NEXT I", "Controllare il ciclo For...Next, manca il segno di uguale", "FOR I 1 TO 10"},
      {"FOR Q = 1 TO 10", "NEXT Q", "Variabile non definita", "Q"},
      {"FOR I = 1 10", "NEXT I", "Controllare il ciclo For...Next, manca il 'TO'", "FOR I = 1 10"},
      {"FOR I = 5 TO 5", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = 5 TO 5"},
      {"FOR I = 10 TO 1", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = 10 TO 1"},
      {"FOR I = 1 TO 10 STEP 200", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = 1 TO 10 STEP 200"},
      {"FOR I = 1 TO 10 STEP -1", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = 1 TO 10 STEP -1"},
      {"FOR I = A TO 10 STEP -127", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = A TO 10 STEP -127"},
      {"FOR I = A TO -1", "NEXT I", "Controllare l'istruzione FOR...NEXT", "FOR I = A TO -1"},
      // bounds a byte cannot hold, and a step that never moves
      {"FOR I = 256 TO A STEP -1", "NEXT I",
       "Ciclo For...Next: i valori iniziale e finale costanti devono essere compresi tra 0 e 255",
       "FOR I = 256 TO A STEP -1"},
      {"FOR I = A TO B STEP 0", "NEXT I", "Ciclo For...Next con STEP 0: il ciclo non terminerebbe mai",
       "FOR I = A TO B STEP 0"},
  };
  for (const auto& r : rows) {
    const Outcome run = Lower({r.forLine, "BODY", r.nextLine}, 1, 3);
    EXPECT_TRUE(run.st.Flag_Errore) << r.forLine;
    EXPECT_EQ(run.st.TextASM,
              std::string("<*> ERRORE : ") + r.message + "\r\n---istruzione---\r\n" + r.statement);
    // Nothing changed, no label taken.
    EXPECT_EQ(run.lines, (Lines{r.forLine, "BODY", r.nextLine}));
    CompileState fresh = run.st;
    EXPECT_EQ(NuovaLabel(fresh), "@1") << r.forLine;
  }
}

}  // namespace
}  // namespace velmora
