// Source normalisation: source lines in, canonical ArrayInput lines out, for
// the forms the normalise_* goldens cannot hold (lines a later pass refuses;
// the messages are in the errors test, the line limit in the limits test).
#include "normalise.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "encoding.h"
#include "pass_fixture.h"

namespace velmora {
namespace {

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

}  // namespace
}  // namespace velmora
