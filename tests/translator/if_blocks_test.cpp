// IF blocks: the emitted condition code for every operand kind and operator,
// the ELSE layout, the label order and the error messages.
#include "if_blocks.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::Expand;
using passtest::Lines;

struct Outcome { CompileState st; Lines lines; };

// Translates IF `ifLine` / BODY / [ELSE / OTHER /] END IF with X, Y, N declared.
Outcome Translate(const std::string& ifLine, bool withElse = false, int labelsTaken = 0) {
  Outcome r;
  passtest::Load(r.st, withElse ? Lines{ifLine, "BODY", "ELSE", "OTHER", "END IF"} : Lines{ifLine, "BODY", "END IF"});
  for (const char* v : {"X", "Y", "N"}) AggiungiVariabile(r.st, v, "BYTE", "1");
  for (int k = 0; k < labelsTaken; ++k) NuovaLabel(r.st);
  IfTranslator(r.st, 1, r.st.NoInput, withElse ? 3 : -1);
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

// The condition lines of each form, followed by BODY and the false label @1.
// Rows hold the shapes the if_* goldens do not compare; which operator takes
// which branch is checked for every operand kind by the on-chip tests.
TEST(IfTranslator, ConditionCodeOfEveryOperandKind) {
  struct Row { const char* ifLine; const char* code; };
  const Row rows[] = {
      // variable and a non-zero constant
      {"IF X = 5 THEN", "MOVF X , W|SUBLW 0x05|BTFSS Z|GOTO @1"},
      {"IF X = -1 THEN", "MOVF X , W|SUBLW 0xFF|BTFSS Z|GOTO @1"},
      // variable and the constant 0 (signed)
      {"IF X < 0 THEN", "MOVF X , W|BTFSC Z|GOTO @1|RLF X , W|BTFSS C|GOTO @1"},
      {"IF X <= 0 THEN", "MOVF X , W|BTFSC Z|GOTO @2|RLF X , W|BTFSS C|GOTO @1|@2:"},
      {"IF N >0 THEN", "MOVF N , W|BTFSC Z|GOTO @1|RLF N , W|BTFSC C|GOTO @1"},  // as FOR writes it
      // two variables
      {"IF X < Y THEN", "MOVF Y , W|SUBWF X , W|BTFSC Z|GOTO @1|BTFSC C|GOTO @1"},
      // flags
      {"IF FLAG_CARRY <> 0 THEN", "BTFSS C|GOTO @1"},
      {"IF FLAG_ZERO = 0 THEN", "BTFSC Z|GOTO @1"},
      // a port read by INPUT(), against a non-zero constant
      {"IF INPUT(A) = 3 THEN", "MOVLW 0x03|SUBWF Reg_PortA , W|BTFSS Z|GOTO @1"},
      {"IF INPUT(A) <> 3 THEN", "MOVF Reg_PortA , W|SUBLW 0x03|BTFSC Z|GOTO @1"},
      {"IF INPUT(B) < 3 THEN", "MOVLW 0x03|SUBWF Reg_PortB , W|BTFSC Z|GOTO @1|BTFSC C|GOTO @1"},
      // a port against 0 (bit 7 is the sign)
      {"IF INPUT(B) < 0 THEN", "BTFSS Reg_PortB , Bit_7|GOTO @1"},
      {"IF INPUT(B) > 0 THEN", "MOVF Reg_PortB , W|BTFSC Z|GOTO @1|BTFSC Reg_PortB , Bit_7|GOTO @1"},
      // a port against a variable
      {"IF INPUT(B) = N THEN", "MOVF Reg_PortB , W|SUBWF N , W|BTFSS Z|GOTO @1"},
      {"IF INPUT(B) >= N THEN", "MOVF Reg_PortB , W|SUBWF N , W|BTFSC Z|GOTO $+3|BTFSC C|GOTO @1"},
      // a port without operator, and the operands swapped around INPUT()
      {"IF INPUT(A) THEN", "MOVF Reg_PortA , W|BTFSC Z|GOTO @1"},
      {"IF 3 >= INPUT(B) THEN", "MOVLW 0x03|SUBWF Reg_PortB , W|BTFSC Z|GOTO $+3|BTFSC C|GOTO @1"},
      {"IF N = INPUT(B) THEN", "MOVF Reg_PortB , W|SUBWF N , W|BTFSS Z|GOTO @1"},
      // an input line
      {"IF INPUT(A4) = 1 THEN", "BTFSS Reg_PortA , Bit_4|GOTO @1"},
      {"IF INPUT(B0) = 0 THEN", "BTFSC Reg_PortB , Bit_0|GOTO @1"},
      {"IF INPUT(B0) = 2 THEN", "BTFSC Reg_PortB , Bit_0|GOTO @1"},
      {"IF INPUT(B0) = &H1 THEN", "BTFSC Reg_PortB , Bit_0|GOTO @1"},
      {"IF 1 = INPUT(B3) THEN", "BTFSS Reg_PortB , Bit_3|GOTO @1"},
  };
  for (const auto& r : rows) {
    const Outcome run = Translate(r.ifLine);
    Lines want = Expand(r.code);
    want.push_back("BODY");
    want.push_back("A>@1:");
    EXPECT_FALSE(run.st.Flag_Errore) << r.ifLine << "\n" << run.st.TextASM;
    EXPECT_EQ(run.lines, want) << r.ifLine;
  }
}

TEST(IfTranslator, ElseTakesTheEndLabelBeforeTheTrueLabel) {
  // The false label, then the end label, then the true label of "<=".
  struct Row { const char* ifLine; const char* code; };
  const Row rows[] = {
      {"IF X <> Y THEN", "MOVF X , W|SUBWF Y , W|BTFSC Z|GOTO @1"},
      {"IF X <= 10 THEN", "MOVLW 0x0A|SUBWF X , W|BTFSC Z|GOTO @3|BTFSC C|GOTO @1|@3:"},
  };
  for (const auto& r : rows) {
    const Outcome run = Translate(r.ifLine, true);
    Lines want = Expand(r.code);
    for (const char* tail : {"BODY", "A>        GOTO @2", "A>@1:", "OTHER", "A>@2:"}) want.push_back(tail);
    EXPECT_EQ(run.lines, want) << r.ifLine;
  }
  // Labels continue the translation's counter.
  const Outcome later = Translate("IF X = 0 THEN", false, 6);
  EXPECT_EQ(later.lines, (Lines{"A>        MOVF X , W", "A>        BTFSS Reg_Status , Flag_Z",
                                "A>        GOTO @7", "BODY", "A>@7:"}));
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
