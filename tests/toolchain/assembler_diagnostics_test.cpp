// SPDX-License-Identifier: GPL-3.0-or-later
// gpasm's errors and warnings on BASIC lines, on the real gpasm: each row a
// program whose assembly gpasm refuses or warns about, with the BASIC line,
// kind and Italian text it must come back as; a gpasm that hangs or dies.
// (velmorac --assemble against gpasm by hand: tests/cli/assemble.sh.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "assembler_diagnostics.h"

#include "scratch.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

using test::Scratch;

// A BASIC program of `statements` lines "X = X + 1" (INCF, one word each)
// after DIM: line n is at address n - 2.
std::string LongProgram(int statements) {
  std::string s = "DIM X AS BYTE\r\n";
  for (int i = 0; i < statements; ++i) s += "X = X + 1\r\n";
  return s + "END\r\n";
}

TEST(AssemblerDiagnostics, GpasmMessagesOnBasicLines) {
  using K = AssemblerDiagnostic::Kind;
  struct Row {
    const char* what;
    std::string source;
    int basicLine;
    K kind;
    std::string rendered;  // FormatDiagnostic's line for "p.bas", or its start when it ends in "..."
  };
  const Row rows[] = {
      {"undefined label in an ASM block", "DIM X AS BYTE\r\nX = 5\r\nASM{\r\n  GOTO NOWHERE\r\n}\r\nEND\r\n", 4, K::Error,
       "p.bas:4: errore: Simbolo non definito: NOWHERE (etichetta o variabile mai dichiarata) "
       "(gpasm: Error[113] Symbol not previously defined: \"NOWHERE\")"},
      {"one-line ASM", "X:\r\nASM(GOTO ALTROVE)\r\nEND\r\n", 2, K::Error,
       "p.bas:2: errore: Simbolo non definito: ALTROVE ..."},
      {"a label named as a variable", "DIM CONTA AS BYTE\r\nCONTA = 1\r\nASM{\r\nCONTA: NOP\r\n}\r\nEND\r\n", 4,
       K::Error, "p.bas:4: errore: Nome già definito: CONTA (etichetta ripetuta, o uguale al nome di una variabile, di una SUB o "
       "di un registro) (gpasm: Error[116] Address label duplicated or different in second pass: \"CONTA\")"},
      {"a label twice", "ASM{\r\nQUI: NOP\r\nQUI: NOP\r\n}\r\nEND\r\n", 3, K::Error,
       "p.bas:3: errore: Nome già definito: QUI ..."},
      {"unknown instruction", "DIM X AS BYTE\r\nASM{\r\n  FROB X\r\n}\r\nEND\r\n", 3, K::Error,
       "p.bas:3: errore: Istruzione sconosciuta: FROB (gpasm: Error[181] Unknown opcode: \"FROB\")"},
      {"missing operand", "ASM{\r\n  MOVWF\r\n}\r\nEND\r\n", 2, K::Error,
       "p.bas:2: errore: Manca un operando dell'istruzione (gpasm: Error[128] Missing argument(s).)"},
      {"value out of range: a warning, the program assembles", "ASM{\r\n  MOVLW 300\r\n}\r\nEND\r\n", 2, K::Warning,
       "p.bas:2: avviso: Valore fuori intervallo: vengono usati solo i bit meno significativi (gpasm: Warning[202] ..."},
      {"TRIS", "ASM{\r\n  TRIS 6\r\n}\r\nEND\r\n", 2, K::Warning,
       "p.bas:2: avviso: Istruzione sconsigliata sul PIC16F84: tris (gpasm: Warning[224] ..."},
      // Line 1026 is the first at address 0x400; one error for all the lines beyond.
      {"over 1024 words", LongProgram(1030), 1026, K::Error,
       "p.bas:1026: errore: Il programma non entra nelle 1024 word della memoria di programma del PIC16F84 "
       "(gpasm: Warning[220] Address exceeds maximum range for this processor. ..."},
  };
  const fs::path dir = Scratch("gpasm-messages");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const TranslationResult t = Translator().Translate(row.source, TranslateOptions{});
    ASSERT_TRUE(t.ok) << t.assembly;
    const AssembledTranslation r = AssembleTranslation(dir.string(), "p", t.assembly, t.assemblyLineSources);
    ASSERT_FALSE(r.assembled.toolFailed) << r.assembled.error;
    ASSERT_EQ(r.diagnostics.size(), 1u) << (r.diagnostics.size() > 1 ? r.diagnostics[1].original : "");
    const AssemblerDiagnostic& d = r.diagnostics.front();
    EXPECT_EQ(d.basicLine, row.basicLine);
    EXPECT_EQ(d.kind, row.kind);
    EXPECT_EQ(r.ok(), row.kind == K::Warning);
    EXPECT_EQ(fs::exists(dir / "p.hex"), row.kind == K::Warning);
    EXPECT_EQ(r.firstErrorLine(), row.kind == K::Error ? row.basicLine : 0);
    const std::string line = FormatDiagnostic("p.bas", d);
    const bool prefix = row.rendered.size() > 3 && row.rendered.compare(row.rendered.size() - 3, 3, "...") == 0;
    if (prefix)
      EXPECT_EQ(line.substr(0, row.rendered.size() - 3), row.rendered.substr(0, row.rendered.size() - 3));
    else
      EXPECT_EQ(line, row.rendered);
  }
  fs::remove_all(dir);
}

// Lines gpasm does not tie to the program: another file, no file at all,
// and an error number the table does not know.
TEST(AssemblerDiagnostics, LinesOfNoStatement) {
  const std::vector<AssemblerLine> lines = ParseAssemblerOutput(
      "PIC16F84.DEF:4:Error[116]   Address label duplicated or different in second pass: \"Reg_Indf\"\n"
      "Error[125]   Illegal condition: EOF encountered before END.\n"
      "p.asm:2:Error[999]   Something new.\n"
      "p.asm:3:Message[302] Register in operand not in bank 0.\n");
  const std::vector<AssemblerDiagnostic> d = MapAssemblerLines(lines, "p.asm", {0, 7, 8});
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(FormatDiagnostic("p.bas", d[0]),
            "p.bas: errore: Nome già definito: Reg_Indf (etichetta ripetuta, o uguale al nome di una variabile, di una "
            "SUB o di un registro) (gpasm: Error[116] Address label duplicated or different in second pass: "
            "\"Reg_Indf\")");
  EXPECT_EQ(d[1].basicLine, 0);
  EXPECT_EQ(d[1].text, "Condizione non valida (un IF, una MACRO o un blocco non chiuso prima di END?)");
  EXPECT_EQ(FormatDiagnostic("p.bas", d[2]), "p.bas:7: errore: Errore dell'assemblatore (gpasm: Error[999] Something new.)");
}

// A gpasm that never ends is stopped at the limit, one that dies on a signal
// is reported: both are the tool failing, with no diagnostics.
TEST(AssemblerDiagnostics, HungOrCrashedGpasm) {
  const fs::path dir = Scratch("gpasm-fake");
  struct Row { const char* script; const char* says; };
  for (const Row& row : {Row{"exec /bin/sleep 60", "non ha terminato entro"}, Row{"kill -SEGV $$", "in modo anomalo"}}) {
    std::ofstream(dir / "gpasm") << "#!/bin/sh\n" << row.script << "\n";
    fs::permissions(dir / "gpasm", fs::perms::owner_all);
    const std::string savedPath = std::getenv("PATH");
    ::setenv("PATH", dir.c_str(), 1);
    const AssembledTranslation r =
        AssembleTranslation(dir.string(), "p", "        ORG 0\r\n        END", {0, 0}, std::chrono::milliseconds(500));
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_TRUE(r.assembled.toolFailed) << row.script;
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.diagnostics.empty());
    EXPECT_NE(r.assembled.error.find(row.says), std::string::npos) << r.assembled.error;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace velmora::toolchain
