// Assignments: every right-hand side form and message, the name tests and the
// four-byte constant encoder.
#include "assignment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "encoding.h"
#include "text.h"

namespace velmora {
namespace {

const std::string P = "A>        ";  // an instruction line

// A fresh state with the variables X, Y, Z, A, B, C (BYTE), F (SINGLE), G (FLOAT),
// W1 (WORD) and L (LONG).
CompileState Stato() {
  CompileState st;
  const FatRow rows[] = {{"X", "BYTE", "1"},   {"Y", "BYTE", "1"},   {"Z", "BYTE", "1"},
                         {"A", "BYTE", "1"},   {"B", "BYTE", "1"},   {"C", "BYTE", "1"},
                         {"F", "SINGLE", "4"}, {"G", "FLOAT", "4"},  {"W1", "WORD", "2"},
                         {"L", "LONG", "8"}};
  for (const auto& r : rows) st.FAT[++st.NoFAT] = r;
  return st;
}

// Translates `line`, placed between two marker lines, and gives back the lines it became.
std::vector<std::string> Traduci(CompileState& st, const std::string& line) {
  st.NoInput = 3;
  st.ArrayInput[1] = "PRIMA";
  st.ArrayInput[2] = line;
  st.ArrayInput[3] = "DOPO";
  TraduciAssegnazione(st, 2, text::InStr(line, "="));
  EXPECT_EQ(st.ArrayInput[1], "PRIMA") << line;
  EXPECT_EQ(st.ArrayInput[st.NoInput], "DOPO") << line;
  std::vector<std::string> out;
  for (int i = 2; i < st.NoInput; ++i) out.push_back(st.ArrayInput[i]);
  return out;
}

// The pane text of an error on `line`; the line stays as it was.
std::string Errore(const std::string& messageUtf8, const std::string& line) {
  return "<*> ERRORE : " + encoding::Utf8ToCp1252(messageUtf8) + "\r\n---istruzione---\r\n" + line;
}

struct Riga {
  const char* line;
  std::vector<std::string> want;  // the instructions without the "A>" and blanks
  const char* error = nullptr;
};

void Verifica(const std::vector<Riga>& rows, CompileState (*make)() = Stato) {
  for (const auto& r : rows) {
    CompileState st = make();
    const auto got = Traduci(st, r.line);
    if (r.error) {
      EXPECT_TRUE(st.Flag_Errore) << r.line;
      EXPECT_EQ(st.TextASM, Errore(r.error, r.line)) << r.line;
      EXPECT_EQ(got, std::vector<std::string>{r.line}) << r.line;
      continue;
    }
    std::vector<std::string> want;
    for (const auto& w : r.want) want.push_back(P + w);
    EXPECT_FALSE(st.Flag_Errore) << r.line << "\n" << st.TextASM;
    EXPECT_EQ(got, want) << r.line;
  }
}

TEST(Assegnazione, ConstantsAndVariables) {
  Verifica({
      {"X = 0", {"CLRF X"}},
      {"X = 255", {"MOVLW 0xFF", "MOVWF X"}},
      {"X = -1", {"MOVLW 0xFF", "MOVWF X"}},
      {"X = -256", {"CLRF X"}},
      {"X = 10", {"MOVLW 0x0A", "MOVWF X"}},
      {"X = &H1F", {"MOVLW 0x1F", "MOVWF X"}},
      {"X = &HFFFF", {"MOVLW 0xFF", "MOVWF X"}},
      {"X = +5", {"MOVLW 0x05", "MOVWF X"}},
      {"X = 2,5", {"MOVLW 0x02", "MOVWF X"}},
      {"X=7", {"MOVLW 0x07", "MOVWF X"}},
      {"X = Y", {"MOVF Y , W", "MOVWF X"}},
      {"X = W#VLTX", {"MOVF W#VLTX , W", "MOVWF X"}},
      {"W#VLTx = Y", {"MOVF Y , W", "MOVWF W#VLTx"}},
      {"X = 256", {}, "Costante numerica non ammessa"},
      {"X = -257", {}, "Costante numerica non ammessa"},
      {"X = 40000", {}, "Costante numerica non ammessa"},
      {"X = &H10000", {}, "Costante numerica non ammessa"},
      {"Q = 1", {}, "Variabile non definita"},
      {" = 1", {}, "Variabile non definita"},
      {"x = 1", {}, "Variabile non definita"},
      {"X = 012", {}, "Variabile o Espressione algebrica non definita"},
      // a text that begins "&H" counts as a constant whatever follows: its leading value
      {"X = &H10 + 1", {"MOVLW 0x10", "MOVWF X"}},
  });
}

TEST(Assegnazione, FlagsAndTimer) {
  Verifica({
      {"X = RND", {"Movf Reg_Tmr0 , W", "Movwf X"}},
      {"X = RND()", {"Movf Reg_Tmr0 , W", "Movwf X"}},
      {"X = RND(5)", {}, "Variabile o Espressione algebrica non definita"},
      {"X = FLAG_CARRY", {"CLRF X", "BTFSC Reg_Status , Flag_C", "INCF X , F"}},
      {"Y = FLAG_ZERO", {"CLRF Y", "BTFSC Reg_Status , Flag_Z", "INCF Y , F"}},
  });
}

TEST(Assegnazione, SumsAndDifferences) {
  Verifica({
      {"X = Y + 1", {"MOVLW 0x01", "ADDWF Y , W", "MOVWF X"}},
      {"X = X + 1", {"INCF X , F"}},
      {"X = X + &H1", {"INCF X , F"}},
      {"X = X+1", {"INCF X , F"}},
      {"X = X + 2", {"MOVLW 0x02", "ADDWF X , F"}},
      {"X = X + 0", {"MOVLW 0", "ADDWF X , F"}},
      {"X = X - 1", {"MOVLW 0x01", "SUBWF X , F"}},
      {"X = Y - 3", {"MOVLW 0x03", "SUBWF Y , W", "MOVWF X"}},
      {"X = 5 - Y", {"MOVF Y , W", "SUBLW 0x05", "MOVWF X"}},
      {"Y = 5 - Y", {"MOVF Y , W", "SUBLW 0x05", "MOVWF Y"}},
      {"X = 5 + Y", {"MOVLW 0x05", "ADDWF Y , W", "MOVWF X"}},
      {"Y = 5 + Y", {"MOVLW 0x05", "ADDWF Y , F"}},
      {"X = Y + Z", {"MOVF Z , W", "ADDWF Y , W", "MOVWF X"}},
      {"X = Y - Z", {"MOVF Z , W", "SUBWF Y , W", "MOVWF X"}},
      {"X = X - Y", {"MOVF Y , W", "SUBWF X , W", "MOVWF X"}},
      {"X = Y + 300", {"MOVLW 0x2C", "ADDWF Y , W", "MOVWF X"}},
      {"X = Y - -3", {"MOVLW 0xFD", "SUBWF Y , W", "MOVWF X"}},
      {"X = 2 + 3", {"MovLW 0x05", "MovWF X"}},
      {"X = 3 - 3", {"CLRF X"}},
      {"X = 1 - 2", {"MovLW 0xFF", "MovWF X"}},
      {"X = 200 + 100", {}, "Costante numerica non ammessa"},
      {"X = 40000 - 39999", {}, "Costante numerica non ammessa"},
      {"X = Y + 40000", {}, "Costante numerica non ammessa"},
      {"X = 40000 + Y", {}, "Costante numerica non ammessa"},
      {"X = 40000 - Y", {}, "Costante numerica non ammessa"},
      {"X = Y + -3", {}, "Struttura algebrica complessa"},
      {"X = -3 + Y", {}, "Struttura algebrica complessa"},
      {"X = A * B", {}, "Variabile o Espressione algebrica non definita"},
      {"X = A / B", {}, "Variabile o Espressione algebrica non definita"},
      {"X = A * B / C", {}, "Espressione algebrica complessa"},
      {"X = Q + 1", {}, "Variabile non definita"},
      {"X = Y + Q", {}, "Variabile non definita"},
      {"X = 1 + Q", {}, "Variabile non definita"},
      {"X = Q + Y", {}, "Variabile non definita"},
      {"X = -Y", {}, "Variabile non definita"},
  });
}

// DIV10 uses the first three dynamic bytes; DIV10R only reads the remainder.
TEST(Assegnazione, DivideByTen) {
  Verifica({
      {"X = DIV10(Y)", {"MOVF Y , W", "CALL @@DV10", "MOVWF X"}},
      {"X = DIV10( Y )", {"MOVF Y , W", "CALL @@DV10", "MOVWF X"}},
      {"X = DIV10R(Y)", {"CALL @@DV10C", "MOVWF X"}},
      {"X = DIV10R()", {"CALL @@DV10C", "MOVWF X"}},
      {"X = DIV10(Q)", {}, "La funzione Div10() richiede una variabile come argomento"},
      {"X = DIV10()", {}, "La funzione Div10() richiede una variabile come argomento"},
      {"X = DIV10(5)", {}, "La funzione Div10() richiede una variabile come argomento"},
  });

  CompileState st = Stato();
  const int before = st.NoFAT;
  Traduci(st, "X = DIV10(Y)");
  Traduci(st, "Z = DIV10(X)");
  ASSERT_EQ(st.NoFAT, before + 3);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(st.FAT[before + k].name, "W#D" + std::to_string(k));
  EXPECT_TRUE(st.Flag_Routine && st.Flag_DV10);
  EXPECT_EQ(AcquisisciDinamica(st), "W#D1");  // all three were given back

  CompileState rem = Stato();
  Traduci(rem, "X = DIV10R(Y)");
  EXPECT_FALSE(rem.Flag_Routine || rem.Flag_DV10);
  EXPECT_EQ(rem.NoFAT, before);
}

CompileState StatoConData() {
  CompileState st = Stato();
  st.NoDATA = 5;
  return st;
}

TEST(Assegnazione, GetData) {
  Verifica({
      {"X = GETDATA(3)", {"MOVLW 0x03", "CALL @@GD", "MOVWF X"}},
      {"X = GETDATA(250)", {"MOVLW 0xFA", "CALL @@GD", "MOVWF X"}},
      {"X = GETDATA(Y)",
       {"MovLW 0x06", "SubWF Y , W", "BTFSS Reg_Status, Flag_C", "Goto $+3", "CLRW", "Goto $+4", "MOVF Y , W",
        "BTFSS Reg_Status, Flag_Z", "CALL @@GD", "MOVWF X"}},
      {"X = GETDATA(251)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA(0)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA(-1)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA(99999)", {}, "Indice della funzione GetDATA() fuori range."},
      {"X = GETDATA()", {}, "La funzione GetData() richiede un argomento numerico"},
      {"X = GETDATA(Q)", {}, "Assegnazione GetData() non riconosciuta"},
  }, StatoConData);
  Verifica({{"X = GETDATA(3)", {},
             "La funzione GetData() non può essere usata senza la definizione dell'istruzione DATA."}});

  CompileState st = StatoConData();
  Traduci(st, "X = GETDATA(Y)");
  EXPECT_TRUE(st.Flag_Routine);
  EXPECT_FALSE(st.Flag_RD || st.Flag_DV10 || st.Flag_WRT);
}

TEST(Assegnazione, ReadAndInput) {
  Verifica({
      {"X = READ(5)", {"MOVLW 0x05", "CALL @@RD", "MOVWF X"}},
      {"X = READ(&H3F)", {"MOVLW 0x3F", "CALL @@RD", "MOVWF X"}},
      {"X = READ(0)", {"MOVLW 0", "CALL @@RD", "MOVWF X"}},
      {"X = READ(Y)", {"MOVF Y , W", "CALL @@RD", "MOVWF X"}},
      {"X = READ()", {}, "La funzione Read() richiede un argomento"},
      {"X = READ(Q)", {}, "Sintassi non riconosciuta"},
      {"X = READ(70000)", {}, "Costante numerica non ammessa"},
      {"X = INPUT(B)", {"MOVF Reg_PortB , W", "MOVWF X"}},
      {"X = INPUT(A)", {"MOVF Reg_PortA , W", "MOVWF X"}},
      {"X = INPUT( B )", {"MOVF Reg_PortB , W", "MOVWF X"}},
      {"X = INPUT(A3)", {"CLRF X", "BTFSC Reg_PortA , Bit_3", "INCF X , F"}},
      {"Y = INPUT(B7)", {"CLRF Y", "BTFSC Reg_PortB , Bit_7", "INCF Y , F"}},
      {"X = INPUT(A5)", {}, "Indicazione di Porta I/O non valida"},
      {"X = INPUT(C)", {}, "Indicazione di Porta I/O non valida"},
      {"X = INPUT(B10)", {}, "Indicazione di Porta I/O non valida"},
      {"X = INPUT()", {}, "La funzione Input() richiede un argomento, controllare"},
  });
  CompileState st = Stato();
  Traduci(st, "X = READ(Y)");
  EXPECT_TRUE(st.Flag_Routine && st.Flag_RD);
  EXPECT_FALSE(st.Flag_DV10);
}

TEST(Assegnazione, DecimalFractions) {
  Verifica({
      {"F = 1.5", {"MOVLW 0x7F", "MOVWF F+0", "MOVLW 0x40", "MOVWF F+1", "MOVLW 0x00", "MOVWF F+2",
                   "MOVLW 0x00", "MOVWF F+3"}},
      {"G = .5", {"MOVLW 0x7E", "MOVWF G+0", "MOVLW 0x00", "MOVWF G+1", "MOVLW 0x00", "MOVWF G+2",
                  "MOVLW 0x00", "MOVWF G+3"}},
      {"F = -2.25", {"MOVLW 0x80", "MOVWF F+0", "MOVLW 0x90", "MOVWF F+1", "MOVLW 0x00", "MOVWF F+2",
                     "MOVLW 0x00", "MOVWF F+3"}},
      {"F = 0.5", {}, "Variabile o Espressione algebrica non definita"},
      {"X = 1.5", {}, "Assegnazione floating non valida"},
      {"W1 = 1.5", {}, "Assegnazione floating non valida"},
      {"L = 1.5", {}, "Assegnazione floating non valida"},
      {"F = 300.5", {}, "Numero decimale con parte intera è > 255"},
      {"F = 5", {"MOVLW 0x05", "MOVWF F"}},
  });
}

// The bits of a single-precision value rearranged as the encoder lays them
// out: exponent byte, sign, 23 mantissa bits.
std::string Riordina(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const uint32_t sign = bits >> 31, exponent = (bits >> 23) & 0xFF, mantissa = bits & 0x7FFFFF;
  const uint32_t out = (exponent << 24) | (sign << 23) | mantissa;
  char buf[9];
  std::snprintf(buf, sizeof buf, "%08X", out);
  return buf;
}

TEST(Assegnazione, FloatEncodingMatchesSinglePrecisionBits) {
  CompileState st;
  // Values of 1 or more keep all their mantissa bits; so do fractions with
  // at most 23 significant binary places.
  const float values[] = {1.5f, -2.25f, 1.0f, 255.75f, 3.14159f, -100.1f, 0.5f, 0.375f, 2.0f, 128.0f, 1.1f};
  for (float v : values) EXPECT_EQ(ConvertiFloat(st, v), Riordina(v)) << v;
  EXPECT_EQ(ConvertiFloat(st, 0.0), "00000000");
  // Below 1 only the 23 fraction places are read: 0.1 (single bits 3DCCCCCD)
  // has its leading one at the fourth place, so the last four mantissa bits are
  // lost, not rounded.
  EXPECT_EQ(ConvertiFloat(st, 0.1f), "7B4CCCC0");
  // A magnitude too small for 23 places has exponent 0 and no mantissa.
  EXPECT_EQ(ConvertiFloat(st, 1e-9f), "7F000000");
  EXPECT_EQ(ConvertiFloat(st, -1e-9f), "7F800000");
  EXPECT_FALSE(st.Flag_Errore);
  EXPECT_EQ(ConvertiFloat(st, 256.0), "00000000");
  EXPECT_TRUE(st.Flag_Errore);
}

TEST(Assegnazione, IsNumberFollowsTheCanonicalText) {
  struct Row { const char* text; bool want; };
  const Row rows[] = {
      {"12", true},   {"-3", true},    {"1.5", true},   {".5", true},    {"-.5", true},  {"0", true},
      {" 12 ", true}, {"1,5", true},   {"&H1F", true},  {"&HZZ", true},  {"&H", true},   {"32767", true},
      {"012", false}, {"0.5", false},  {"1.50", false}, {"+3", false},   {"5A", false},  {"-0", false},
      {"", false},    {"   ", false},  {"1E3", false},  {"X", false},    {"1 2", false}, {"1.", false},
      {"&h1F", false}, {"00", false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsNumber(r.text), r.want) << "[" << r.text << "]";
}

TEST(Assegnazione, IsSubroutineMatchesNameOrNameAndCount) {
  CompileState st;
  st.ArraySUB[1] = {"TICK", "0", ""};
  st.ArraySUB[2] = {"SOMMA", "2", "A, B"};
  st.ArraySUB[3] = {"NASCOSTA", "0", ""};
  st.NoSUB = 2;
  struct Row { const char* name; bool want; };
  const Row rows[] = {{"TICK", true},   {"TICK0", true}, {"SOMMA", true}, {"SOMMA2", true},
                      {"SOMMA1", false}, {"TOCK", false}, {"", false},     {"NASCOSTA", false},
                      {"tick", false}};
  for (const auto& r : rows) EXPECT_EQ(IsSubroutine(st, r.name), r.want) << r.name;
}

TEST(Assegnazione, HexOperandoKeepsTheLowByteOfSixteenBits) {
  struct Row { const char* text; const char* want; };
  const Row rows[] = {{"5", "0x05"},       {"300", "0x2C"},   {"-1", "0xFF"}, {"0", "0"},
                      {"&HFFFF", "0xFF"},  {"2.5", "0x02"},   {"3.5", "0x04"}, {"32767", "0xFF"},
                      {"-32768", "0x00"},  {"256", "0x00"},      {"&H1F", "0x1F"}};
  for (const auto& r : rows) {
    CompileState st;
    EXPECT_EQ(HexOperando(st, r.text), r.want) << r.text;
    EXPECT_FALSE(st.Flag_Errore) << r.text;
  }
  for (const char* text : {"32768", "-32769", "&H10000", "1E9"}) {
    CompileState st;
    st.IstruzioneCorrente = "X = Y + " + std::string(text);
    EXPECT_EQ(HexOperando(st, text), "") << text;
    EXPECT_EQ(st.TextASM, Errore("Costante numerica non ammessa", st.IstruzioneCorrente)) << text;
  }
}

TEST(Assegnazione, BitwiseLinesGoToTheLogicPass) {
  Verifica({
      {"X = A AND 15", {"MOVLW 0x0F", "ANDWF A , W", "MOVWF X"}},
      {"X = NOT(A)", {"COMF A , W", "MOVWF X"}},
      {"X = A OR B", {"MOVF A , W", "IORWF B , W", "MOVWF X"}},
      // the test looks at the whole line, so an undeclared target is the logic pass's report
      {"Q = A XOR B", {}, "Variabile non definita"},
  });
}

}  // namespace
}  // namespace velmora
