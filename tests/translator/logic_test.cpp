// Bitwise assignments: AND, XOR, OR in their order of trial, NOT in its three forms.
#include "logic.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

struct Riga {
  const char* line;
  Lines want;  // instructions without "A>" and the eight blanks
  const char* error = nullptr;
};

// Each statement between two marker lines, with the BYTE variables X, A, B, C.
void Verifica(const std::vector<Riga>& rows) {
  for (const auto& r : rows) {
    CompileState st;
    Load(st, {"PRIMA", r.line, "DOPO"});
    for (const char* name : {"X", "A", "B", "C"}) st.FAT[++st.NoFAT] = {name, "BYTE", "1"};
    TraduciLogica(st, 2, text::InStr(r.line, "="));
    Lines want{"PRIMA"};
    if (r.error) {
      EXPECT_EQ(Pane(st), ErrorBlock(r.error, r.line)) << r.line;
      want.push_back(r.line);
    } else {
      EXPECT_EQ(Pane(st), "") << r.line;
      for (const auto& w : r.want) want.push_back("A>        " + w);
    }
    want.push_back("DOPO");
    EXPECT_EQ(Program(st), want) << r.line;
  }
}

TEST(Logica, BinaryOperators) {
  Verifica({
      {"X = A AND 15", {"MOVLW 0x0F", "ANDWF A , W", "MOVWF X"}},
      {"X = 15 AND A", {"MOVLW 0x0F", "ANDWF A , W", "MOVWF X"}},
      {"X = A AND &HF0", {"MOVLW 0xF0", "ANDWF A , W", "MOVWF X"}},
      {"X = 12 OR 3", {"MOVLW 0x0C", "MOVWF X", "MOVLW 0x03", "IORWF X , F"}},
      {"X = A XOR B", {"MOVF A , W", "XORWF B , W", "MOVWF X"}},
      {"X = A OR B", {"MOVF A , W", "IORWF B , W", "MOVWF X"}},
      {"X = X OR 1", {"MOVLW 0x01", "IORWF X , W", "MOVWF X"}},
      {"X = A XOR 300", {"MOVLW 0x2C", "XORWF A , W", "MOVWF X"}},
      {"X = A XOR -1", {"MOVLW 0xFF", "XORWF A , W", "MOVWF X"}},
      {"X = A AND 40000", {}, "Costante numerica non ammessa"},
      {"X = 40000 OR 1", {}, "Costante numerica non ammessa"},
      {"X = A AND Q", {}, "Errore di sintassi"},
      {"X = A AND B OR C", {}, "Errore di sintassi"},
      {"Q = A AND B", {}, "Variabile non definita"},
  });
}

TEST(Logica, Not) {
  Verifica({
      {"X = NOT(X)", {"COMF X , F"}},
      {"X = NOT(A)", {"COMF A , W", "MOVWF X"}},
      {"X = NOT(0)", {"MOVLW 0", "MOVWF X", "COMF X , F"}},
      {"X = NOT(255)", {"MOVLW 0xFF", "MOVWF X", "COMF X , F"}},
      {"X = NOT(&H0F)", {"MOVLW 0x0F", "MOVWF X", "COMF X , F"}},
      {"X = NOT(256)", {}, "Costante numerica troppo alta"},
      {"X = NOT(-1)", {}, "Costante numerica troppo alta"},
      {"X = NOT(A) + 1", {}, "Controllare l'istruzione"},
      {"X = NOT(Q)", {}, "Errore di sintassi"},
      {"X = NOT()", {}, "Errore di sintassi"},
      {"X = 1 + NOT(A)", {}, "Errore di sintassi"},
      {"Q = NOT(A)", {}, "Variabile non definita"},
  });
}

}  // namespace
}  // namespace velmora
