// Bitwise assignments: AND, XOR, OR in their order of trial, NOT in its three forms.
#include "logic.h"

#include <gtest/gtest.h>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

// Each statement between two marker lines, with the BYTE variables X, A, B, C.
void Verifica(const std::vector<Riga>& rows) {
  VerificaRighe(rows, [](const std::string& line) {
    CompileState st;
    Load(st, {"PRIMA", line, "DOPO"});
    for (const char* name : {"X", "A", "B", "C"}) st.FAT[++st.NoFAT] = {name, "BYTE", "1"};
    TraduciLogica(st, 2, text::InStr(line, "="));
    return st;
  });
}

TEST(Logica, OperatorsAndNot) {
  Verifica({
      {"X = A AND &HF0", {"MOVLW 0xF0", "ANDWF A , W", "MOVWF X"}},
      {"X = X OR 1", {"MOVLW 0x01", "IORWF X , W", "MOVWF X"}},
      {"X = A XOR 300", {"MOVLW 0x2C", "XORWF A , W", "MOVWF X"}},
      {"X = A XOR -1", {"MOVLW 0xFF", "XORWF A , W", "MOVWF X"}},
      {"X = A AND 40000", {}, "Costante numerica non ammessa"},
      {"X = 40000 OR 1", {}, "Costante numerica non ammessa"},
      {"X = A AND Q", {}, "Errore di sintassi"},
      {"X = A AND B OR C", {}, "Errore di sintassi"},
      {"Q = A AND B", {}, "Variabile non definita"},
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
