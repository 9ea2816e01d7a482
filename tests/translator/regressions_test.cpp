// Inputs found by fuzzing and differential testing, each with what it caught.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>

#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

using namespace std::string_literals;

// A program without END whose SELECT CASE is never closed: normalisation
// reports the missing END, and the SELECT CASE pass, which runs after the
// pre-passes without testing the flag, adds its own block right after it.
// Both blocks stay, in this order, and no report is made.
TEST(Regressions, MissingEndAndUnclosedSelectGiveBothBlocksInOrder) {
  auto st = std::make_unique<CompileState>();
  const TranslationResult r = TranslateText(*st, "DIM SV AS BYTE\nSELECT CASE SV\nCASE 7\nSV = 1\nEN:", {});
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.report.empty());
  EXPECT_EQ(r.assembly,
            "<*> ERRORE : Il programma main deve concludersi con lo step END. Non è stata trovata "
            "l'istruzione END\r\n"
            "<*> ERRORE : Istruzione 'Select Case' non chiusa\r\n---istruzione---\r\nSELECT CASE SV");
}

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

// Errors in one table: the source and the whole pane text.
struct ErrorRow {
  const char* source;
  const char* pane;
};

void ExpectPanes(const ErrorRow* rows, size_t n) {
  for (size_t k = 0; k < n; ++k) {
    auto st = std::make_unique<CompileState>();
    const TranslationResult r = TranslateText(*st, rows[k].source, {});
    EXPECT_FALSE(r.ok) << rows[k].source;
    EXPECT_EQ(r.assembly, rows[k].pane) << rows[k].source;
  }
}

// RECONFIG with nothing between RECONFIG and AS: the item text was taken with
// a length of -1, read as "to the end of the line", and "AS INPUT" was
// reported as a bad list of ports.
TEST(Regressions, ReconfigWithoutItemsIsTheEmptyItemError) {
  const ErrorRow rows[] = {
      {"RECONFIG AS INPUT\nEND\n",
       "<*> ERRORE : Controllore l'istruzione di ReConfig Porta Input/Output\r\n---istruzione---\r\nRECONFIG AS INPUT"},
      {"RECONFIG AS OUTPUT\nEND\n",
       "<*> ERRORE : Controllore l'istruzione di ReConfig Porta Input/Output\r\n---istruzione---\r\nRECONFIG AS OUTPUT"},
  };
  ExpectPanes(rows, std::size(rows));
}

// A DIM error, then a SELECT CASE on a value that is no variable: the SELECT
// CASE pass returned on the earlier error instead of adding its own block, as
// it does for an unclosed block.
TEST(Regressions, SelectCaseOnAValueAfterADimErrorAddsItsBlock) {
  const ErrorRow rows[] = {
      {"DIM X AS BIT\nSELECT CASE 5\nCASE 1\nX = 1\nEND SELECT\nEND\n",
       "<*> ERRORE : Tipologia della variabile non riconoscita\r\n---istruzione---\r\nDIM X AS BIT"
       "<*> ERRORE : Variabile non definita\r\n---istruzione---\r\nSELECT CASE 5"},
  };
  ExpectPanes(rows, std::size(rows));
}

}  // namespace
}  // namespace velmora
