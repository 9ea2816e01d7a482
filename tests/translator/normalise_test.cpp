// Source normalisation: source lines in, canonical ArrayInput lines out, for
// the forms the normalise_* goldens cannot hold (lines a later pass refuses),
// the messages and the limits.
#include "normalise.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "encoding.h"
#include "pass_fixture.h"

namespace velmora {
namespace {

using passtest::ErrorBlock;
using passtest::Lines;
using passtest::Pane;
using passtest::Program;

// Normalises `source` (lines separated by "\n", in the translator's code
// page) as the driver hands it over: CR LF line ends, one after the last line.
std::unique_ptr<CompileState> Normalised(const std::string& source) {
  auto st = std::make_unique<CompileState>();
  st->ResetForTranslation();
  Normalise(*st, encoding::ToCrLf(source + "\n"));
  return st;
}

TEST(Normalise, RewritesLinesIntoCanonicalForm) {
  struct Row {
    std::string source;
    Lines want;  // without the final END
  };
  const Row rows[] = {
      {"", {}},
      // Literals.
      {"a = (0x1f+0x2)", {"A = (&H1F+&H2)"}},
      {"a=0x1f", {"A=0X1F"}},
      {"a = 10x", {"A = 10X"}},
      // PORT and LINE.
      {"x = port b", {"X = B"}},
      {"x = portb", {"X = PORTB"}},
      {"on line interrupt b4 call s", {"ON LINE INTERRUPT B4 CALL S"}},
      // Labels and several statements on one line.
      {"a = 1 : clear : b = 2", {"A = 1", "A>CLEAR:", "B = 2"}},
      {"a = 1 : clear", {"A = 1", "CLEAR"}},
      {"asm lab: nop", {"ASM LAB: NOP"}},
      // OUTPUT of a single line.
      {"output c3, 1", {"OUTPUT C3, 1"}},
      {"output b8, 1", {"OUTPUT B8, 1"}},
      // Single-line IF.
      {"if a = 1 then", {"IF A = 1 THEN"}},
      {"if (a = 1) then goto x", {"IF (A = 1) THEN", "GOTO X", "END IF"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    const auto st = Normalised(row.source + "\nend");
    ASSERT_FALSE(st->Flag_Errore) << Pane(*st);
    Lines want = row.want;
    want.push_back("END");
    EXPECT_EQ(Program(*st), want);
    EXPECT_EQ(st->IstruzioneCorrente, "");
  }
}

TEST(Normalise, ReportsEachFaultWithTheLineAsWritten) {
  struct Row { std::string line; std::string message; };
  const Row rows[] = {
      {"write \"abc", "Stringa non bilanciata"},
      {"x = b'101", "Valore binario non corretto"},
      {"x = asc(\"A\"", "Parentesi non bilanciate"},
      {"x = asc(ab)", "Controllare l'istruzione "},
      {"0x10", "Controllare la sintassi: 0X10"},
      {"port", "Controllare l'istruzione: "},
      {"  line", "Controllare l'istuzione: "},
      {"@lab:", "Non è ammesso l'uso del caratere '@' come inizion di una Label"},
      {"a = 1 : if a = 1 b = 2", "Sintassi non permetta."},
      {"x = (1 + 2", "Controllare il livello di parentesi: "},
      {"x = 1) + (2", "Controllare il livello di parentesi: "},
      {"if x = 1 y = 2", "Struttura IF non corretta, controllare:IF X = 1 Y = 2"},
      {"if x then y = 1 else", "Struttura IF non corretta, controllare:IF X THEN Y = 1 ELSE"},
      {"if x else y = 1 then z = 2", "Struttura IF non corretta, controllare:IF X ELSE Y = 1 THEN Z = 2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const auto st = Normalised("x = 1\n" + row.line + "\nend");
    ASSERT_TRUE(st->Flag_Errore);
    EXPECT_EQ(Pane(*st), ErrorBlock(row.message, row.line));
    EXPECT_EQ(st->ArrayInput[1], "X = 1") << "lines before the error stay";
  }
}

TEST(Normalise, ChecksTheProgramEndAndTheSubPlacement) {
  const std::string noEnd =
      "Il programma main deve concludersi con lo step END. Non è stata trovata l'istruzione END";
  const std::string subFirst =
      "La definizione delle Subroutine deve seguire il programma main (principale).";
  struct Row {
    std::string source;
    std::string message;
  };
  const Row rows[] = {
      {"x = 1 : end", noEnd},  // a piece of a split line is not the program's end
      {"end\nsub s\nend sub\nend", subFirst},  // the latest END counts
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    const auto st = Normalised(row.source);
    EXPECT_EQ(Pane(*st), ErrorBlock(row.message));
  }
}

TEST(Normalise, StopsAtTheLineLimit) {
  struct Row { int statements; bool fits; };
  for (const Row row : {Row{2999, true}, Row{3000, false}}) {
    std::string source;
    for (int k = 0; k < row.statements; ++k) source += "X = 1\n";
    const auto st = Normalised(source + "END");
    EXPECT_EQ(st->Flag_Errore, !row.fits) << row.statements;
    EXPECT_LE(st->NoInput, CompileState::kMaxLines);
  }
}

}  // namespace
}  // namespace velmora
