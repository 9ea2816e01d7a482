// The driver's statistics report and its end-to-end checks.
#include "driver.h"

#include <gtest/gtest.h>

#include "translator.h"

namespace velmora {
namespace {

std::string Program(int words) {
  std::string t = "        Title \"x\"\r\nW#VLTx  EQU 0x0C    ;BYTE(1-Byte)\r\n        ORG 0\r\n@1:\r\n";
  for (int i = 0; i < words; ++i) t += "        NOP\r\n";
  return t + "@2:     ;comment\r\n";  // a label line carrying a comment counts
}

TEST(Report, SixLines) {
  struct Row { int words; std::string path; char sep; std::string line1, line2, line3; };
  const Row rows[] = {
      {99, "", '.', "Nome programma: <UNDEFINED>", "Lunghezza programma 100 word (max 1024)",
       "Utilizzo risorse 9.7 %  Disponibilità 90.3 %"},
      {1023, "/home/u/Velmora Programmi/primo.bas", ',', "Nome programma: PRIMO.BAS",
       "Lunghezza programma 1024 word (max 1024)", "Utilizzo risorse 100 %  Disponibilità 0 %"},
      {4, "C:\\prog\\città.bas", ',', "Nome programma: CITTÀ.BAS", "Lunghezza programma 5 word (max 1024)",
       "Utilizzo risorse 0,4 %  Disponibilità 99,6 %"},
  };
  for (const auto& r : rows) {
    CompileState st;
    st.TextASM = Program(r.words);
    st.NoFAT = 3;
    st.NoByteRAM = 2;
    st.LivelloStack = 0;
    const std::string report = StatisticsReport(st, {r.path, r.sep});
    EXPECT_EQ(report, r.line1 + "\r\n" + r.line2 + "\r\n" + r.line3 +
                          "\r\nNumero di variabili definite 3\r\nUtilizzo memoria RAM 2 byte (max 68)\r\n"
                          "Livello di Stack 1 (Max 6, +2 riservati)");
  }
}

TEST(Report, LinesBeforeOrgAndAfterTheLastLineEndDoNotCount) {
  CompileState st;
  st.TextASM = "        NOP\r\n        ORG 0\r\n        NOP\r\n\r\nLAB:\r\n        NOP";
  EXPECT_NE(StatisticsReport(st, {}).find("Lunghezza programma 1 word"), std::string::npos);
}

// Which steps run after an error: the pre-passes stop except SELECT CASE and
// the parenthesis split, which add their own block; every later step stops.
TEST(Driver, BlocksAfterAnError) {
  struct Row {
    const char* source;
    int blocks;
  };
  const Row rows[] = {
      {"DIM X AS BIT\nDIM Y AS BIT\nEND\n", 1},                              // DIM stops at its first error
      {"CONST K = \nDIM X AS BIT\nEND\n", 1},                                 // DIM does not run after CONST
      {"DIM X AS BIT\nSELECT CASE X\nCASE 1\nEND\n", 2},                     // unclosed SELECT adds its block
      {"DIM X AS BIT\nSUB S\nEND\n", 1},                                      // SUB blocks never run
      {"GOTO\nFOO\nEND\n", 1},                                               // leftovers stop at the first
  };
  for (const auto& r : rows) {
    CompileState st;
    const TranslationResult t = TranslateText(st, r.source, {});
    EXPECT_FALSE(t.ok) << r.source;
    int blocks = 0;
    for (size_t p = t.assembly.find("<*> ERRORE"); p != std::string::npos; p = t.assembly.find("<*> ERRORE", p + 1))
      ++blocks;
    EXPECT_EQ(blocks, r.blocks) << r.source << "\n" << t.assembly;
  }
}

}  // namespace
}  // namespace velmora
