// IF blocks: the operator search and the error messages. The emitted code of
// every operand kind is in the if_* goldens; which branch each operator takes
// is checked on the chip.
#include "if_blocks.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::Lines;

struct Outcome { CompileState st; Lines lines; };

// Translates IF `ifLine` / BODY / END IF with X, Y, N declared.
Outcome Translate(const std::string& ifLine) {
  Outcome r;
  passtest::Load(r.st, {ifLine, "BODY", "END IF"});
  for (const char* v : {"X", "Y", "N"}) AggiungiVariabile(r.st, v, "BYTE", "1");
  IfTranslator(r.st, 1, r.st.NoInput, -1);
  r.lines = passtest::Program(r.st);
  return r;
}

TEST(FindOperator, TwoCharacterOperatorsFirstThenOneCharacter) {
  struct Row { const char* text; bool found; const char* op; int pos, len; };
  const Row rows[] = {
      {"IF X = 1 THEN", true, "=", 6, 1},
      {"IF X >= Y THEN", true, ">=", 6, 2},
      {"IF X < Y <> 1 THEN", true, "<>", 10, 2},  // any two-character one beats "<"
      {"IF X >= 1 <= 2 THEN", true, "<=", 11, 2}, // "<=" is searched before ">="
      {"IF X > 1 = 2 THEN", true, "=", 10, 1},    // "=" before ">"
      {"IF X THEN", false, "", 0, 0},
  };
  for (const auto& r : rows) {
    const OperatorFound f = FindOperator(r.text);
    EXPECT_EQ(f.found, r.found) << r.text;
    EXPECT_EQ(f.op, r.op) << r.text;
    EXPECT_EQ(f.pos, r.pos) << r.text;
    EXPECT_EQ(f.len, r.len) << r.text;
  }
}

TEST(IfTranslator, ErrorsNameTheIfLine) {
  struct Row { const char* ifLine; const char* message; };
  const Row rows[] = {
      {"IF X THEN", "Controllare l'istruzione"},
      {"IF Q = 1 THEN", "Variabile non definita Q"},
      {"IF X = 1 AND Y = 2 THEN", "Variabile non definita"},
      {"IF X = 70000 THEN", "Costante numerica non ammessa"},
      {"IF INPUT(B0 = 1 THEN", "Errato bilancimaneto delle parentesi"},
      {"IF INPUT( ) = 1 THEN", "La funzione Input() richiede un argomento (Port/Line)"},
      {"IF INPUT(C) THEN", "Sintassi non valida"},
      {"IF INPUT(C) = 1 THEN", "Impossibiler risolvere l'istruzione"},
      {"IF INPUT(B0) = Q THEN", "Tipo di assegnazione non valida"},
  };
  for (const auto& r : rows) {
    const Outcome run = Translate(r.ifLine);
    EXPECT_TRUE(run.st.Flag_Errore) << r.ifLine;
    EXPECT_EQ(run.st.TextASM,
              std::string("<*> ERRORE : ") + r.message + "\r\n---istruzione---\r\n" + r.ifLine);
    // The IF line is left as it was; the labels are already placed.
    EXPECT_EQ(run.lines.front(), r.ifLine);
    EXPECT_EQ(run.lines.back(), "A>@1:") << r.ifLine;
  }
}

}  // namespace
}  // namespace velmora
