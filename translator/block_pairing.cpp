// SPDX-License-Identifier: GPL-3.0-or-later
// Block pairing: one scan per kind of block finds an opener, searches on for
// its closer (a later opener wins, so the innermost block is translated
// first) and steps back to examine the outer opener again.
#include "block_pairing.h"

#include "do_loop.h"
#include "for_next.h"
#include "if_blocks.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// One kind of block for the pairing scan.
struct BlockKind {
  bool (*orphan)(const std::string&);
  const char* orphanMessage;
  bool (*opener)(const std::string&);
  bool (*closer)(const std::string&);
  const char* finalMessage;
  bool isIf;
};

// Pairs the blocks of one kind innermost first and calls their translator.
template <class Translate>
void PairBlocks(CompileState& st, const BlockKind& kind, Translate translate) {
  NessunaIstruzione(st);
  int p = -1;
  int e = -1;
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];  // not used once a block is translated
    if (kind.orphan(line)) {
      st.RigaCorrente = st.ArrayInput.Source(i);  // the block text stays, the location is the orphan's
      SegnalaErrore(st, kind.orphanMessage);
      return;
    }
    if (!kind.opener(line)) continue;
    Corrente(st, i);
    p = i;
    for (int j = i + 1; j <= st.NoInput; ++j) {
      const std::string& lj = st.ArrayInput[j];
      if (kind.opener(lj)) {
        p = j;
        e = -1;
      } else if (kind.isIf && lj == "ELSE") {
        e = j;
      } else if (kind.closer(lj)) {
        translate(p, j, e);
        if (st.Flag_Errore) return;
        if (p != i) i -= 1;
        p = -1;
        e = -1;
        break;
      }
    }
  }
  if (p > 0) SegnalaErrore(st, kind.finalMessage);
}

}  // namespace

void TranslateBlocks(CompileState& st) {
  const BlockKind forKind{
      [](const std::string& l) { return StartsWith(l, "NEXT"); },
      "Struttura FOR...NEXT non bilanciata.",
      [](const std::string& l) { return StartsWith(l, "FOR "); },
      [](const std::string& l) { return StartsWith(l, "NEXT "); },
      "Struttura FOR...NEXT non bilanciata", false};
  const BlockKind doKind{
      [](const std::string& l) { return StartsWith(l, "LOOP"); },
      "Struttura Do While...Loop non bilanciata, LOOP senza il DO.",
      [](const std::string& l) { return StartsWith(l, "DO"); },
      [](const std::string& l) { return StartsWith(l, "LOOP"); },
      "Struttura Do While....Loop non chiusa", false};
  const BlockKind ifKind{
      [](const std::string& l) { return StartsWith(l, "END IF"); },
      "Struttura IF non bilanciata, istruzione END IF senza l'IF",
      [](const std::string& l) { return StartsWith(l, "IF "); },
      [](const std::string& l) { return l == "END IF"; },
      "Struttura IF non bilanciata", true};

  PairBlocks(st, forKind, [&](int p, int j, int) { ForNext(st, p, j); });
  if (st.Flag_Errore) return;
  PairBlocks(st, doKind, [&](int p, int j, int) { DoLoop(st, p, j); });
  if (st.Flag_Errore) return;
  PairBlocks(st, ifKind, [&](int p, int j, int e) { IfTranslator(st, p, j, e); });
}

}  // namespace velmora
