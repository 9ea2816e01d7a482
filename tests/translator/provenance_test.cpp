// SPDX-License-Identifier: GPL-3.0-or-later
// What a translation reports besides the listing: every instruction under the
// comment of the BASIC line it came from, the warnings, the annotated listing
// that gives the plain one back without its comments, and the statistics
// report (the line of an error is in the errors test, the words of each line
// in tests/cli).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "compile_state.h"
#include "driver.h"
#include "report.h"
#include "text.h"
#include "translator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitLines(const std::string& listing) {
  std::vector<std::string> out;
  text::ForEachLine(listing, [&out](size_t, std::string_view line) { out.emplace_back(line); });
  return out;
}

TEST(Provenance, EveryMarkerConstantSitsUnderTheCommentOfItsLine) {
  const std::vector<std::vector<std::string>> programs = {
      // multi-statement lines, one of them with a single-line IF
      {"DIM A, B, C AS BYTE", "A = # : B = #", "IF A = 1 THEN C = # ELSE C = 2", "END"},
      // IF / ELSE / END IF and nested loops, whose tails land on NEXT and LOOP
      {"DIM A, B, I, J AS BYTE", "IF A = 1 THEN", "B = #", "ELSE", "B = #", "END IF", "FOR I = 1 TO 3",
       "FOR J = 1 TO 2", "A = #", "NEXT J", "B = #", "NEXT I", "DO WHILE A = 1", "B = #", "LOOP", "END"},
      // SELECT CASE: values, a list, a range, CASE ELSE
      {"DIM A, B AS BYTE", "SELECT CASE A", "CASE 1", "B = #", "CASE 2, 3", "B = #", "CASE 4 TO 6", "B = #",
       "CASE 7: B = #", "CASE ELSE", "B = #", "END SELECT", "END"},
      // SUB bodies and CALL with parameters, a timer interrupt handler
      {"DIM A, P, Q AS BYTE", "ON TIMER INTERRUPT CALL TICK", "CALL PUT(#, 2)", "END", "SUB PUT(P, Q)", "A = #",
       "END SUB", "SUB TICK", "A = #", "END SUB"},
  };
  for (std::vector<std::string> lines : programs) {
    // Each "#" becomes 100 + the line's number: every marker constant names
    // the line that wrote it.
    std::string source;
    int want = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
      for (size_t p; (p = lines[k].find('#')) != std::string::npos; ++want)
        lines[k].replace(p, 1, std::to_string(101 + k));
      source += lines[k] + "\n";
    }
    SCOPED_TRACE(source);
    Translator translator;
    const TranslationResult r = translator.Translate(source, {});
    ASSERT_TRUE(r.ok) << r.assembly;
    int comment = 0, markers = 0;
    bool afterMarker = false;  // a marker's store (the next line) is under the same comment
    for (const std::string& line : SplitLines(AnnotatedAssembly(r, source))) {
      if (line.rfind("; BASIC ", 0) == 0) {
        EXPECT_FALSE(afterMarker) << line;
        comment = std::stoi(line.substr(8));
        EXPECT_EQ(line.substr(line.find(": ") + 2), lines[static_cast<size_t>(comment - 1)]) << line;
      } else if (const size_t movlw = line.find("MOVLW 0x"); movlw != std::string::npos) {
        const int value = std::stoi(line.substr(movlw + 8, 2), nullptr, 16);
        EXPECT_TRUE(value <= 100 || comment == value - 100) << line;
        markers += value > 100;
        afterMarker = value > 100;
      } else {
        afterMarker = false;
      }
    }
    EXPECT_EQ(markers, want);
  }
}

TEST(Provenance, Warnings) {
  struct Row { const char* source; int line; const char* start; };  // the message begins with `start`
  const Row rows[] = {
      {"SET TIMER EDGE UP\nEND\n", 1, "SET TIMER EDGE: il registro OPTION"},
      {"\nSET EXTERNAL INTERRUPT EDGE DOWN\nEND\n", 2, "SET EXTERNAL INTERRUPT EDGE: il registro OPTION"},
      {"DIM X AS BYTE\nX = READ(64)\nEND\n", 2, "READ(64): la EEPROM dati ha 64 byte"},
      {"DIM B AS BYTE\nB = 1\nEND\n", 1, "il nome B è una parola riservata dell'assemblatore"},
      {"DIM X, SKPZ AS BYTE\nEND\n", 1, "il nome SKPZ"},
      {"DIM X AS BYTE\n\nIF DIV10R(X) = 1 THEN X = 2\nEND\n", 3, "DIV10R senza DIV10"},
      {"ASM(MOVLW &H1F + &H01)\nEND\n", 1, "ASM: solo il primo"},
      {"ASM{\nNOP\nMOVLW 0x1F + 0x02\n}\nEND\n", 3, "ASM: solo il primo"},
      {"DIM X, A AS BYTE\nX = NOT(A) + 1\nEND\n", 2, "un'espressione tra parentesi seguita da + o -"},
      {"DIM X, A, C AS BYTE\nIF X = (A AND C) - 1 THEN X = 0\nEND\n", 2, "un'espressione tra parentesi"},
      {"\nRECONFIG B0, C9 AS INPUT\nEND\n", 2, "RECONFIG C9: il PIC16F84 ha solo le porte A e B, la porta C"},
      {"RECONFIG A, D AS OUTPUT\nEND\n", 1, "RECONFIG D: il PIC16F84 ha solo le porte A e B"},
      {"DIM PASSI AS BYTE\nDO\nPASSI = PASSI + 1\nLOOP UNTIL PASSI = 300\nEND\n", 4,
       "il confronto con la costante 300 usa solo il suo byte basso, 44"},
      {"DIM X AS BYTE\nIF X > 256 THEN\nX = 1\nEND IF\nEND\n", 2, "il confronto con la costante 256"},
      {"CONFIG B AS INPUT\nDIM X AS BYTE\nIF INPUT(B) = 511 THEN\nX = 1\nEND IF\nEND\n", 3, "il confronto con la costante 511"},
  };
  for (const auto& r : rows) {
    Translator translator;
    const TranslationResult t = translator.Translate(r.source, {});
    ASSERT_EQ(t.warnings.size(), 1u) << r.source;
    EXPECT_EQ(t.warnings[0].line, r.line) << r.source;
    EXPECT_EQ(t.warnings[0].message.rfind(r.start, 0), 0u) << t.warnings[0].message;
  }
  // Statements that work on the chip are not warned about.
  for (const char* fine : {"DIM X AS BYTE\nX = READ(63)\nSET TIMER ON\nEND\n", "DIM BB, BCD AS BYTE\nEND\n",
                           "DIM X AS BYTE\nX = DIV10R(X)\nX = DIV10(X)\nASM(MOVLW &H1F)\nEND\n",
                           "DIM X, A, C AS BYTE\nX = 1 + NOT(A)\nX = (A AND C) OR X\nEND\n",
                           "RECONFIG B0, A, A4 AS INPUT\nEND\n",
                           "DIM X AS BYTE\nIF X = 255 THEN\nX = 0\nEND IF\nEND\n"}) {
    Translator translator;
    EXPECT_TRUE(translator.Translate(fine, {}).warnings.empty()) << fine;
  }
}

// Every golden program and example. A translated one: the annotated listing
// minus its comments is the plain one, every program line sits under a
// comment, and the typed fields say what the listing says (each equate is the
// variable row of the same rank: name, address, type, size; the declared
// bytes are the report's RAM figure; the report is the figures rendered). A
// refused one: no variables or words, and each error's statement is the one
// its block shows.
TEST(TypedResult, AgreesWithTheListing) {
  int translated = 0, refused = 0;
  for (const char* folder : {"tests/golden", "examples"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_SOURCE_DIR) / folder)) {
      if (entry.path().extension() != ".bas") continue;
      std::ostringstream bytes;
      bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
      Translator translator;
      const TranslationResult r = translator.Translate(bytes.str(), {});
      if (!r.ok) {
        ++refused;
        EXPECT_TRUE(r.variables.empty() && r.figures.words == 0) << entry.path();
        ASSERT_FALSE(r.errors.empty()) << entry.path();
        for (const SourceMessage& e : r.errors) {
          if (e.statement.empty()) continue;
          EXPECT_NE(r.assembly.find("---istruzione---\r\n" + e.statement), std::string::npos)
              << entry.path() << ": " << e.statement;
        }
        continue;
      }
      ++translated;
      std::vector<std::string> plain = SplitLines(AnnotatedAssembly(r, bytes.str()));
      std::erase_if(plain, [](const std::string& line) { return line.starts_with("; BASIC "); });
      EXPECT_EQ(plain, SplitLines(r.assembly)) << entry.path();
      EXPECT_EQ(r.assemblyLineSources.size(), plain.size() - 1) << entry.path();  // CR LF ends each
      size_t row = 0;
      int declared = 0;
      for (const std::string& line : SplitLines(r.assembly)) {
        const size_t equ = line.find("EQU 0x");
        if (equ == std::string::npos || line.find(";") == std::string::npos) continue;
        ASSERT_LT(row, r.variables.size()) << entry.path() << ": " << line;
        const DeclaredVariable& v = r.variables[row++];
        EXPECT_EQ(line.substr(0, line.find(' ')), v.name) << entry.path();
        EXPECT_EQ(std::stoi(line.substr(equ + 6, 2), nullptr, 16), v.address) << entry.path() << ": " << line;
        EXPECT_NE(line.find(";" + v.type + "(" + std::to_string(v.size) + "-Byte)"), std::string::npos) << line;
        EXPECT_EQ(v.work, v.name.rfind("W#", 0) == 0) << line;
        if (!v.work) declared += v.size;
      }
      EXPECT_EQ(row, r.variables.size()) << entry.path();
      EXPECT_EQ(static_cast<int>(r.variables.size()), r.figures.variables) << entry.path();
      EXPECT_EQ(declared, r.figures.ramBytes) << entry.path();
      EXPECT_EQ(RenderReport(r.figures, {}), r.report) << entry.path();
    }
  }
  EXPECT_GT(translated, 20);
  EXPECT_GT(refused, 10);
}

// ---- The statistics report, from a finished listing (which passes still run
// after an error is compared by the errors_* goldens).

std::string ReportProgram(int words) {
  std::string t = "        Title \"x\"\r\nW#VLTx  EQU 0x0C    ;BYTE(1-Byte)\r\n        ORG 0\r\n@1:\r\n";
  for (int i = 0; i < words; ++i) t += "        NOP\r\n";
  return t + "@2:     ;comment\r\n";  // a label line carrying a comment counts
}

TEST(Report, SixLines) {
  struct Row { int words; std::string path; char sep; std::string name, length, use; };
  const Row rows[] = {
      {99, "", '.', "<UNDEFINED>", "100", "9.7 %  Disponibilità 90.3"},
      {1023, "/home/u/Velmora Programmi/primo.bas", ',', "PRIMO.BAS", "1024", "100 %  Disponibilità 0"},
      {4, "C:\\prog\\città.bas", ',', "CITTÀ.BAS", "5", "0,4 %  Disponibilità 99,6"},
  };
  for (const auto& r : rows) {
    CompileState st;
    st.TextASM = ReportProgram(r.words);
    st.NoFAT = 3;
    st.NoByteRAM = 2;
    st.LivelloStack = 0;
    EXPECT_EQ(StatisticsReport(st, {r.path, r.sep}),
              "Nome programma: " + r.name + "\r\nLunghezza programma " + r.length +
                  " word (max 1024)\r\nUtilizzo risorse " + r.use +
                  " %\r\nNumero di variabili definite 3\r\nUtilizzo memoria RAM 2 byte (max 68)\r\n"
                  "Livello di Stack 1 (Max 6, +2 riservati)");
  }
}

TEST(Report, LinesBeforeOrgAndAfterTheLastLineEndDoNotCount) {
  CompileState st;
  st.TextASM = "        NOP\r\n        ORG 0\r\n        NOP\r\n\r\nLAB:\r\n        NOP";
  EXPECT_NE(StatisticsReport(st, {}).find("Lunghezza programma 1 word"), std::string::npos);
}

}  // namespace
}  // namespace velmora
