// SPDX-License-Identifier: GPL-3.0-or-later
// Capacities of the translator: each program at its limit translates, one
// step past it the translation stops with the capacity's Italian message.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <string>

#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

// f(1) + f(2) + ... + f(n), with `separator` between them.
std::string Each(int n, const std::function<std::string(int)>& f, const std::string& separator = "") {
  std::string r;
  for (int k = 1; k <= n; ++k) r += (k > 1 ? separator : "") + f(k);
  return r;
}
std::string Repeat(const std::string& text, int n, const std::string& separator = "") {
  return Each(n, [&](int) { return text; }, separator);
}
std::string N(int k) { return std::to_string(k); }

// DIM, n one-line statements and END (two lines): n + 3 lines, the last
// translation step still holding every one of them.
std::string Lines(int n) { return "DIM X AS BYTE\n" + Repeat("X = 0\n", n) + "END\n"; }

std::string Ram(int bytes) { return "DIM A[" + N(bytes) + "] AS BYTE\nA = 1\nEND\n"; }

std::string Subs(int n) {
  return "DIM X AS BYTE\nEND\n" + Each(n, [](int k) { return "SUB S" + N(k) + "\nX = 0\nEND SUB\n"; });
}

// Callers C1..C11 call leaves L1..L10, ten distinct pairs per caller, the
// first n pairs in that order.
std::string CallPairs(int n) {
  return "DIM X AS BYTE\nEND\n" + Each(11, [n](int c) {
           const auto call = [](int l) { return "CALL L" + N(l) + "\n"; };
           return "SUB C" + N(c) + "\n" + Each(std::clamp(n - 10 * (c - 1), 0, 10), call) + "X = 0\nEND SUB\n";
         }) + Each(10, [](int l) { return "SUB L" + N(l) + "\nX = 1\nEND SUB\n"; });
}

// A chain of n SUBs, each calling the next: depth n - 1.
std::string CallChain(int n) {
  return "DIM X AS BYTE\nCALL S1\nEND\n" +
         Each(n, [n](int k) {
           return "SUB S" + N(k) + "\n" + (k < n ? "CALL S" + N(k + 1) + "\n" : "") + "X = 0\nEND SUB\n";
         });
}

// n parenthesised groups on one line, each taking a dynamic work byte.
std::string DynamicBytes(int n) { return "DIM X, P, Q AS BYTE\nX = " + Repeat("(P OR Q)", n, " AND ") + "\nEND\n"; }

// One line split into 2 * nots + plain + 1 generated lines.
std::string Generated(int nots, int plain) {
  return "DIM X, P, Q AS BYTE\nX = " + Repeat("NOT(P OR Q)", nots, " AND ") + Repeat(" AND (P OR Q)", plain) +
         "\nEND\n";
}

// Handler blocks: 8 lines per timer, 5 per external, 7 per line interrupt.
std::string Interrupts(int timer, int external, int line) {
  return "DIM X AS BYTE\n" + Repeat("ON TIMER INTERRUPT CALL T\n", timer) +
         Repeat("ON EXTERNAL INTERRUPT CALL T\n", external) + Repeat("ON LINE INTERRUPT CALL T\n", line) +
         "END\nSUB T\nX = 0\nEND SUB\n";
}

std::string Data(int bytes) {
  return "DIM X AS BYTE\n" + Each((bytes + 9) / 10, [bytes](int k) {
           return "DATA " + Repeat("7", std::min(10, bytes - 10 * (k - 1)), ", ") + "\n";
         }) + "X = GETDATA(1)\nEND\n";
}

std::string Constants(int n) {
  return Each(n, [](int k) { return "CONST K" + N(k) + " = " + N(k) + "\n"; }) + "DIM X AS BYTE\nX = K1\nEND\n";
}

// A RECONFIG of n lines.
std::string Reconfig(int n) {
  return "DIM X AS BYTE\nRECONFIG " + Each(n, [](int k) { return "B" + N((k - 1) % 8); }, ", ") + " AS INPUT\nEND\n";
}

// A WRITE of n data bytes: the address pair and two lines per byte.
std::string Write(int bytes) { return "DIM X AS BYTE\nWRITE " + Repeat("5, ", bytes) + "0\nEND\n"; }

// Two labels in a row give two aliases (GOTO and CALL) each; the nested IF
// closes with two generated labels in a row, one alias more.
std::string Aliases(int userPairs, int nestedIfs) {
  return "DIM X AS BYTE\n" + Each(userPairs, [](int k) {
           const std::string n = N(k - 1);
           return "A" + n + ":\nB" + n + ":\nX = " + N((k - 1) % 2) + "\nGOTO A" + n + "\n";
         }) + Repeat("IF X = 0 THEN\nIF X = 1 THEN\nX = 2\nEND IF\nEND IF\n", nestedIfs) + "END\n";
}

// What is counted, a program at the limit, one past it and the start of its error block.
struct Capacity { const char* what; std::string atLimit, pastLimit, message; };

TEST(Limits, AtTheLimitTranslatesAndPastItStops) {
  const Capacity rows[] = {
      {"3000 program lines", Lines(2997), Lines(2998),
       "Programma troppo esteso: la traduzione supera il limite di 3000 righe"},
      {"61 bytes of RAM", Ram(61), Ram(62), "Dimensionamento delle variabili (62-Byte)\r\n"},
      {"50 SUBs", Subs(50), Subs(51), "Troppe subroutine: il programma ne può definire al massimo 50"},
      {"100 call pairs", CallPairs(100), CallPairs(101), "Il programma contiene troppe chiamate a subroutine."},
      {"call depth 6", CallChain(7), CallChain(8), "Superato il livello massimo di CALL a subroutine"},
      {"15 dynamic bytes", DynamicBytes(15), DynamicBytes(16),
       "Errore di sistema: impossibile generare variabili dinamiche"},
      {"20 generated lines", Generated(9, 1), Generated(9, 2),
       "Espressione logica troppo complessa: richiede più di 20 istruzioni"},
      {"30 dispatcher lines, one kind", Interrupts(0, 6, 0), Interrupts(0, 7, 0),
       "Troppe istruzioni ON ... INTERRUPT: il gestore delle interruzioni supera il limite di 30 righe"},
      {"30 dispatcher lines, mixed", Interrupts(1, 3, 1), Interrupts(1, 3, 2),
       "Troppe istruzioni ON ... INTERRUPT: il gestore delle interruzioni supera il limite di 30 righe"},
      {"250 DATA bytes", Data(250), Data(251),
       "L'area DATA è troppo estesa, è stato superato il limite di 250 byte"},
      {"100 CONST entries", Constants(100), Constants(101),
       "Troppe definizioni CONST/SYMBOL: il limite è di 100"},
      {"30 RECONFIG items", Reconfig(30), Reconfig(31), "Riconfigurazioni multiple non valide"},
      {"100 WRITE lines", Write(49), Write(50), "Istruzione WRITE troppo lunga: al massimo 49 byte per istruzione"},
      {"501 aliases", Aliases(250, 1), Aliases(250, 2),
       "Programma troppo complesso: superato il limite di 501 etichette da ottimizzare"},
  };
  auto st = std::make_unique<CompileState>();
  for (const auto& row : rows) {
    const TranslationResult ok = TranslateText(*st, row.atLimit, {});
    EXPECT_TRUE(ok.ok) << row.what << ":\n" << ok.assembly.substr(0, 300);
    EXPECT_NE(ok.assembly.find("\r\n        END"), std::string::npos) << row.what;

    const TranslationResult past = TranslateText(*st, row.pastLimit, {});
    EXPECT_FALSE(past.ok) << row.what;
    EXPECT_EQ(past.assembly.rfind("<*> ERRORE : " + row.message, 0), 0u)
        << row.what << ":\n" << past.assembly.substr(0, 300);
    EXPECT_TRUE(past.report.empty()) << row.what;
  }
}

// What the report and the output show at the limits they count.
TEST(Limits, ReportAndOutputAtTheLimit) {
  auto st = std::make_unique<CompileState>();
  const TranslationResult ram = TranslateText(*st, Ram(61), {});
  EXPECT_NE(ram.report.find("Utilizzo memoria RAM 61 byte (max 68)"), std::string::npos) << ram.report;

  const TranslationResult chain = TranslateText(*st, CallChain(7), {});
  EXPECT_NE(chain.report.find("Livello di Stack 7 (Max 6, +2 riservati)"), std::string::npos) << chain.report;

  const TranslationResult data = TranslateText(*st, Data(250), {});
  const std::regex byte("RETLW 0x07");
  EXPECT_EQ(std::distance(std::sregex_iterator(data.assembly.begin(), data.assembly.end(), byte), {}), 250)
      << "every DATA byte is in the table";

  const TranslationResult dyn = TranslateText(*st, DynamicBytes(15), {});
  EXPECT_NE(dyn.assembly.find("W#D15 "), std::string::npos) << "the fifteenth work byte has its equate";
  EXPECT_EQ(dyn.assembly.find("W#D16"), std::string::npos);
}

}  // namespace
}  // namespace velmora
