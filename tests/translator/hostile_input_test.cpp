// SPDX-License-Identifier: GPL-3.0-or-later
// Sources no student would write: NUL bytes, broken UTF-8, enormous lines
// and files. Each is refused with a clear message or translated in order.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "encoding.h"
#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

using namespace std::string_literals;

std::string Repeat(const std::string& text, size_t n) {
  std::string r;
  for (size_t k = 0; k < n; ++k) r += text;
  return r;
}

const std::string kProgram = "DIM X AS BYTE\nX = 1\nEND\n";

// What the source is, the source, whether it translates and, when refused,
// the start of the error block.
struct Hostile { const char* what; std::string source; bool translates; std::string message; };

TEST(HostileInput, RefusedOrTranslatedInOrder) {
  const std::string longest = "' " + std::string(kMaxSourceLineLength - 2, 'x');
  const Hostile rows[] = {
      {"NUL byte in a statement", "DIM X AS BYTE\nX = 1\0\nEND\n"s, false,
       "Il file contiene un carattere nullo (codice 0) alla riga 2: non è un testo"},
      {"NUL byte counted on lines ended by CR alone", "DIM X AS BYTE\rX = 1\r\0\rEND\r"s, false,
       "Il file contiene un carattere nullo (codice 0) alla riga 3"},
      {"NUL byte in a comment", "' nota \0\n"s + kProgram, false, "Il file contiene un carattere nullo"},
      {"longest line allowed", longest + "\n" + kProgram, true, ""},
      {"line one character too long", "DIM X AS BYTE\n" + longest + "x\nX = 1\nEND\n", false,
       "La riga 2 è troppo lunga: 2001 caratteri (al massimo 2000)"},
      {"one line of a megabyte", "X = " + Repeat("1+", 500000) + "1\nEND\n", false,
       "Il file è troppo grande per essere un programma BASIC: 1000010 byte"},
      {"last line too long without a line end", kProgram + std::string(3000, 'A'), false,
       "La riga 4 è troppo lunga: 3000 caratteri"},
      {"file one byte too large", Repeat("\n", kMaxSourceBytes - kProgram.size() + 1) + kProgram, false,
       "Il file è troppo grande per essere un programma BASIC: " + std::to_string(kMaxSourceBytes + 1) +
           " byte (al massimo " + std::to_string(kMaxSourceBytes) + ")"},
      {"file of the largest size allowed", Repeat("\n", kMaxSourceBytes - kProgram.size()) + kProgram, true, ""},
      {"60000 statements", "DIM X AS BYTE\n" + Repeat("X = 1\n", 60000) + "END\n", false,
       "Programma troppo esteso: la traduzione supera il limite di 3000 righe"},
      {"100000 blank and comment lines", Repeat("\n' nota\n", 50000) + kProgram, true, ""},
      {"invalid UTF-8 in a comment", "' \xff\xfe\xc3\n" + kProgram, true, ""},
      {"invalid UTF-8 in a statement", "DIM X AS BYTE\nX = \xff\nEND\n", false, ""},
      {"truncated UTF-8 sequence at the end", kProgram + "' \xe2\x82", true, ""},
  };
  // One state for every row: a refused source leaves no lines of its own
  // behind, and the next translation starts clean.
  auto st = std::make_unique<CompileState>();
  const std::string plain = TranslateText(*st, kProgram, {}).assembly;
  for (const auto& row : rows) {
    const TranslationResult r = TranslateText(*st, row.source, {});
    EXPECT_EQ(r.ok, row.translates) << row.what << ":\n" << r.assembly.substr(0, 200);
    EXPECT_TRUE(encoding::IsValidUtf8(r.assembly)) << row.what;
    EXPECT_EQ(r.assembly.find('\0'), std::string::npos) << row.what;
    if (row.translates) {
      EXPECT_NE(r.assembly.find("\r\n        END"), std::string::npos) << row.what;
      continue;
    }
    EXPECT_TRUE(r.report.empty()) << row.what;
    const bool beforeAnyPass = row.message.starts_with("Il file") || row.message.starts_with("La riga");
    EXPECT_TRUE(!beforeAnyPass || (st->NoInput == 0 && st->NoFAT == 0)) << row.what;
    EXPECT_EQ(r.assembly.rfind("<*> ERRORE : " + row.message, 0), 0u) << row.what << ":\n"
                                                                      << r.assembly.substr(0, 200);
    // The error block never echoes a refused source back.
    EXPECT_LT(r.assembly.size(), 400u) << row.what;
    EXPECT_EQ(TranslateText(*st, kProgram, {}).assembly, plain) << row.what;
  }
}

}  // namespace
}  // namespace velmora
