// Bitwise assignments: AND, XOR, OR in their order of trial, NOT in its three forms.
#include "logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding.h"
#include "text.h"

namespace velmora {
namespace {

const std::string P = "A>        ";

struct Riga {
  const char* line;
  std::vector<std::string> want;  // instructions without the "A>" and blanks
  const char* error = nullptr;
};

void Verifica(const std::vector<Riga>& rows) {
  for (const auto& r : rows) {
    CompileState st;
    for (const char* name : {"X", "A", "B", "C"}) st.FAT[++st.NoFAT] = {name, "BYTE", "1"};
    st.NoInput = 3;
    st.ArrayInput[1] = "PRIMA";
    st.ArrayInput[2] = r.line;
    st.ArrayInput[3] = "DOPO";
    TraduciLogica(st, 2, text::InStr(r.line, "="));
    ASSERT_EQ(st.ArrayInput[st.NoInput], "DOPO") << r.line;
    EXPECT_EQ(st.ArrayInput[1], "PRIMA");
    std::vector<std::string> got;
    for (int i = 2; i < st.NoInput; ++i) got.push_back(st.ArrayInput[i]);
    if (r.error) {
      EXPECT_EQ(st.TextASM, "<*> ERRORE : " + encoding::Utf8ToCp1252(r.error) + "\r\n---istruzione---\r\n" +
                                r.line) << r.line;
      EXPECT_EQ(got, std::vector<std::string>{r.line});
      continue;
    }
    std::vector<std::string> want;
    for (const auto& w : r.want) want.push_back(P + w);
    EXPECT_FALSE(st.Flag_Errore) << r.line << "\n" << st.TextASM;
    EXPECT_EQ(got, want) << r.line;
  }
}

TEST(Logica, BinaryOperators) {
  Verifica({
      {"X = A AND 15", {"MOVLW 0x0F", "ANDWF A , W", "MOVWF X"}},
      {"X = 15 AND A", {"MOVLW 0x0F", "ANDWF A , W", "MOVWF X"}},
      {"X = A AND &HF0", {"MOVLW 0xF0", "ANDWF A , W", "MOVWF X"}},
      {"X = 12 OR 3", {"MOVLW 0x0C", "MOVWF X", "MOVLW 0x03", "IORWF X , F"}},
      {"X = 0 XOR 0", {"MOVLW 0", "MOVWF X", "MOVLW 0", "XORWF X , F"}},
      {"X = A XOR B", {"MOVF A , W", "XORWF B , W", "MOVWF X"}},
      {"X = A OR B", {"MOVF A , W", "IORWF B , W", "MOVWF X"}},
      {"X = B AND A", {"MOVF B , W", "ANDWF A , W", "MOVWF X"}},
      {"X = X OR 1", {"MOVLW 0x01", "IORWF X , W", "MOVWF X"}},
      {"X = A XOR 300", {"MOVLW 0x2C", "XORWF A , W", "MOVWF X"}},
      {"X = A XOR -1", {"MOVLW 0xFF", "XORWF A , W", "MOVWF X"}},
      {"X = A AND 40000", {}, "Costante numerica non ammessa"},
      {"X = 40000 OR 1", {}, "Costante numerica non ammessa"},
      {"X = A AND Q", {}, "Errore di sintassi"},
      {"X = A AND B OR C", {}, "Errore di sintassi"},
      {"X = A OR", {}, "Errore di sintassi"},
      {"Q = A AND B", {}, "Variabile non definita"},
  });
}

TEST(Logica, Not) {
  Verifica({
      {"X = NOT(X)", {"COMF X , F"}},
      {"X = NOT( X )", {"COMF X , F"}},
      {"X = NOT(A)", {"COMF A , W", "MOVWF X"}},
      {"X = NOT(0)", {"MOVLW 0", "MOVWF X", "COMF X , F"}},
      {"X = NOT(255)", {"MOVLW 0xFF", "MOVWF X", "COMF X , F"}},
      {"X = NOT(&H0F)", {"MOVLW 0x0F", "MOVWF X", "COMF X , F"}},
      {"X = NOT(256)", {}, "Costante numerica troppo alta"},
      {"X = NOT(-1)", {}, "Costante numerica troppo alta"},
      {"X = NOT(99999)", {}, "Costante numerica troppo alta"},
      {"X = NOT(A) + 1", {}, "Controllare l'istruzione"},
      {"X = NOT(Q)", {}, "Errore di sintassi"},
      {"X = NOT()", {}, "Errore di sintassi"},
      {"X = 1 + NOT(A)", {}, "Errore di sintassi"},
      {"Q = NOT(A)", {}, "Variabile non definita"},
  });
}

}  // namespace
}  // namespace velmora
