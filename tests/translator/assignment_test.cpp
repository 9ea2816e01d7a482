// Assignments: the messages of the right-hand sides, the name tests and the
// four-byte constant encoder (the emitted lines are in the assign_* goldens).
#include "assignment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "pass_fixture.h"
#include "text.h"

namespace velmora {
namespace {

using namespace passtest;

// Translates `line`, placed between two marker lines, with the variables X, Y,
// Z, A, B, C (BYTE), F (SINGLE), G (FLOAT), W1 (WORD) and `dataBytes` of DATA.
CompileState Esegui(const std::string& line, int dataBytes = 0) {
  CompileState st;
  Load(st, {"PRIMA", line, "DOPO"});
  for (const char* v : {"X", "Y", "Z", "A", "B", "C"}) st.FAT[++st.NoFAT] = {v, "BYTE", "1"};
  st.FAT[++st.NoFAT] = {"F", "SINGLE", "4"};
  st.FAT[++st.NoFAT] = {"G", "FLOAT", "4"};
  st.FAT[++st.NoFAT] = {"W1", "WORD", "2"};
  st.NoDATA = dataBytes;
  TraduciAssegnazione(st, 2, text::InStr(line, "="));
  return st;
}

void Verifica(const std::vector<Riga>& rows, int dataBytes = 0) {
  VerificaRighe(rows, [&](const std::string& line) { return Esegui(line, dataBytes); });
}

TEST(Assegnazione, RightHandSidesAndFunctionsRefused) {
  Verifica({
      {"W#VLTx = W#D1", {"MOVF W#D1 , W", "MOVWF W#VLTx"}},
      {"X = 256", {}, "Costante numerica non ammessa"},
      {"X = -257", {}, "Costante numerica non ammessa"},
      {"X = 40000", {}, "Costante numerica non ammessa"},
      {"Q = 1", {}, "Variabile non definita"},
      {"X = 012", {}, "Variabile o Espressione algebrica non definita"},
      {"X = RND(5)", {}, "Variabile o Espressione algebrica non definita"},
      {"X = 200 + 100", {}, "Costante numerica non ammessa"},
      {"X = 40000 - 39999", {}, "Costante numerica non ammessa"},
      {"X = 40000 - Y", {}, "Costante numerica non ammessa"},
      {"X = A * B", {}, "Variabile o Espressione algebrica non definita"},
      {"X = A * B / C", {}, "Espressione algebrica complessa"},
      {"X = Q + 1", {}, "Variabile non definita"},
      {"X = Y + Q", {}, "Variabile non definita"},
      {"X = 1 + Q", {}, "Variabile non definita"},
      {"F = 0.5", {}, "Variabile o Espressione algebrica non definita"},
      {"X = 1.5", {}, "Assegnazione floating non valida"},
      {"W1 = 1.5", {}, "Assegnazione floating non valida"},
      // bitwise lines go on to the logic pass
      {"X = A AND 40000", {}, "Costante numerica non ammessa"},
      {"X = 40000 OR 1", {}, "Costante numerica non ammessa"},
      {"X = A AND Q", {}, "Errore di sintassi"},
      {"X = A AND B OR C", {}, "Errore di sintassi"},
      {"Q = A AND B", {}, "Variabile non definita"},
      {"X = NOT(256)", {}, "Costante numerica troppo alta"},
      {"X = NOT(-1)", {}, "Costante numerica troppo alta"},
      {"X = NOT(A) + 1", {}, "Controllare l'istruzione"},
      {"X = NOT(Q)", {}, "Errore di sintassi"},
      {"X = NOT()", {}, "Errore di sintassi"},
      {"X = 1 + NOT(A)", {}, "Errore di sintassi"},
      {"Q = NOT(A)", {}, "Variabile non definita"},
      {"X = DIV10(5)", {}, "La funzione Div10() richiede una variabile come argomento"},
      {"X = DIV10()", {}, "La funzione Div10() richiede una variabile come argomento"},
      {"X = READ()", {}, "La funzione Read() richiede un argomento"},
      {"X = READ(Q)", {}, "Sintassi non riconosciuta"},
      {"X = INPUT(A5)", {}, "Indicazione di Porta I/O non valida"},
      {"X = INPUT(C)", {}, "Indicazione di Porta I/O non valida"},
      {"X = INPUT()", {}, "La funzione Input() richiede un argomento, controllare"},
      {"X = GETDATA(3)", {}, "La funzione GetData() non può essere usata senza la definizione dell'istruzione DATA."},
  });
}

// GETDATA's index against a table of 5 bytes: 1..250 is accepted.
TEST(Assegnazione, GetDataIndex) {
  Verifica({
      {"X = GETDATA(250)", {"MOVLW 0xFA", "CALL @@GD", "MOVWF X"}},
      {"X = GETDATA(251)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA(0)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA()", {}, "La funzione GetData() richiede un argomento numerico"},
      {"X = GETDATA(Q)", {}, "Assegnazione GetData() non riconosciuta"},
  }, 5);

}

// The bits of a single-precision value laid out as the encoder writes them:
// exponent byte, sign, 23 mantissa bits.
std::string Riordina(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const uint32_t out = (((bits >> 23) & 0xFF) << 24) | ((bits >> 31) << 23) | (bits & 0x7FFFFF);
  char buf[9];
  std::snprintf(buf, sizeof buf, "%08X", out);
  return buf;
}

TEST(Assegnazione, FloatEncodingMatchesSinglePrecisionBits) {
  CompileState st;
  // From 1 up every mantissa bit is kept; so it is for fractions of few binary places.
  for (float v : {1.5f, -2.25f, 1.0f, 255.75f, 3.14159f, -100.1f, 0.5f, 0.375f, 128.0f, 1.1f})
    EXPECT_EQ(ConvertiFloat(st, v), Riordina(v)) << v;
  EXPECT_EQ(ConvertiFloat(st, 0.0), "00000000");
  // Below 1 only 23 fraction places are read: 0.1 (single bits 3DCCCCCD) has
  // its leading one at the fourth, so the last four mantissa bits are lost.
  EXPECT_EQ(ConvertiFloat(st, 0.1f), "7B4CCCC0");
  // No one within 23 places: exponent 0, empty mantissa, the sign kept.
  EXPECT_EQ(ConvertiFloat(st, -1e-9f), "7F800000");
  EXPECT_EQ(Pane(st), "");
  EXPECT_EQ(ConvertiFloat(st, 256.0), "00000000");
  EXPECT_TRUE(st.Flag_Errore);
}

TEST(Assegnazione, IsNumberFollowsTheCanonicalText) {
  struct Row { const char* text; bool want; };
  const Row rows[] = {
      {"12", true},   {"-3", true},   {"1.5", true},   {".5", true},   {"-.5", true},   {"0", true},
      {" 12 ", true}, {"1,5", true},  {"&HZZ", true},  {"012", false}, {"0.5", false},  {"1.50", false},
      {"+3", false},  {"5A", false},  {"-0", false},   {"", false},    {"1E3", false},  {"1.", false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsNumber(r.text), r.want) << "[" << r.text << "]";
}

TEST(Assegnazione, HexOperandoKeepsTheLowByteOfSixteenBits) {
  struct Row { const char* text; const char* want; };
  const Row rows[] = {{"300", "0x2C"}, {"-1", "0xFF"},     {"0", "0"},       {"256", "0x00"},
                      {"2.5", "0x02"}, {"3.5", "0x04"},    {"&HFFFF", "0xFF"}, {"-32768", "0x00"},
                      {"32768", ""},   {"-32769", ""},     {"&H10000", ""}};
  for (const auto& r : rows) {
    CompileState st;
    st.IstruzioneCorrente = "X = Y + " + std::string(r.text);
    EXPECT_EQ(HexOperando(st, r.text), r.want) << r.text;
    EXPECT_EQ(Pane(st), *r.want ? "" : ErrorBlock("Costante numerica non ammessa", st.IstruzioneCorrente));
  }
}

}  // namespace
}  // namespace velmora
