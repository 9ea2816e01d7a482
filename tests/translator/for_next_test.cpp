// FOR ... NEXT: the choice between fixed and general forms, their exact lines,
// BREAK with DO nesting, and the checks in their order.
#include "for_next.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::Expand;
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

TEST(ForNext, FormsChosenByBoundsAndStep) {
  struct Row { const char* forLine; const char* want; };
  const Row rows[] = {
      // fixed, constant bounds: the ";Overflow?" test
      {"FOR I = 0 TO 255 STEP +5",
       "MOVLW 0|MOVWF I|@1:|BODY|MOVLW 0x05|ADDWF I , F|OVF?|GOTO @2|MOVLW 0xFF|SUBWF I , W|"
       "BTFSC Z|GOTO @1|BTFSS C|GOTO @1|@2:"},
      // fixed, a variable bound: plain carry test
      {"FOR I = A TO 0 STEP -126",
       "MOVF A , W|MOVWF I|@1:|BODY|MOVLW 0x82|ADDWF I , F|BTFSS C|GOTO @2|MOVLW 0|SUBWF I , W|"
       "BTFSC Z|GOTO @1|BTFSC C|GOTO @1|@2:"},
      {"FOR I = 200 TO N STEP -3",
       "MOVLW 0xC8|MOVWF I|@1:|BODY|MOVLW 0xFD|ADDWF I , F|BTFSS C|GOTO @2|MOVF N , W|SUBWF I , W|"
       "BTFSC Z|GOTO @1|BTFSC C|GOTO @1|@2:"},
      // general forms
      {"FOR I = 1 TO N STEP 128", "I = 1|@1:|BODY|I = I + 128|IF I <= N THEN|GOTO @1|END IF"},
      {"FOR I = 1 TO 10 STEP S",
       "I = 1|@1:|BODY|I = I + S|IF S >0 THEN|IF I <= 10 THEN|GOTO @1|END IF|ELSE|"
       "IF I >= 10 THEN|GOTO @1|END IF|END IF"},
  };
  for (const auto& r : rows) {
    const Outcome run = Lower({r.forLine, "BODY", "NEXT I"}, 1, 3);
    EXPECT_FALSE(run.st.Flag_Errore) << r.forLine << "\n" << run.st.TextASM;
    EXPECT_EQ(run.lines, Expand(r.want)) << r.forLine;
  }
}

TEST(ForNext, BreakCountsDoNesting) {
  // General form: the exit label is taken at the first BREAK and placed after the loop.
  const Outcome general = Lower({"FOR I = A TO B", "DO WHILE N = 1", "BREAK", "LOOP", "BREAK", "BREAK", "NEXT I",
                             "BREAK"}, 1, 7);
  EXPECT_EQ(general.lines, Expand("I = A|@1:|DO WHILE N = 1|BREAK|LOOP|GOTO @2|GOTO @2|I = I + 1|"
                                  "IF I <= B THEN|GOTO @1|END IF|@2:|BREAK"));

  // Without BREAK no exit label is taken.
  Outcome plain = Lower({"FOR I = A TO B", "BODY", "NEXT I"}, 1, 3);
  EXPECT_EQ(NuovaLabel(plain.st), "@2");
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
