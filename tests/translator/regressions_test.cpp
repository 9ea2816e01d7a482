// Inputs found by fuzzing and differential testing, each with what it caught.
// Those whose whole pane is the check are the regression_* goldens.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

using namespace std::string_literals;

// A source with runs of NUL bytes inside a statement: the statement went into
// the error block with its NULs, and velmorac's console print stopped at the
// first one, cutting the block. The source is now refused before any pass.
TEST(Regressions, NulBytesInAStatementNoLongerReachTheErrorBlock) {
  const std::string source =
      "\nX A9S B:\x01\x08 = X +$D: X = X + TE\nDIM RICARICA, N AS BYTE\nRICARICA = 56\n"
      "ON TIMER INTERRUPT CALL TEMPO\nSTOP\nEND\nSUB TEMPO\n   N = N + 1\nEND SUB\n"
      "SET EX\0\0\0\0        END = (P\0\0TICK\n  N =D N7 + 1\nEND\n SU= "s;
  auto st = std::make_unique<CompileState>();
  const TranslationResult r = TranslateText(*st, source, {});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.assembly, "<*> ERRORE : Il file contiene un carattere nullo (codice 0) alla riga 11: non è un testo\r\n");
}

}  // namespace
}  // namespace velmora
