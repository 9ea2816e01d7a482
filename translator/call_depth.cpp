// SPDX-License-Identifier: GPL-3.0-or-later
// The call depth: walks the SUB-to-SUB call pairs recorded by the SUB body
// translator and keeps the deepest chain for the report.
#include "call_depth.h"

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

// Follows, for every call pair, the chain of first matching callers and
// records the deepest chain in LivelloStack. A chain deeper than 6 (which is
// also how a cycle of SUBs calling each other ends) stops the translation.
void CheckCallDepth(CompileState& st) {
  constexpr int kMaxDepth = 6;
  if (st.NoCALL == 0) return;
  st.LivelloStack = 1;
  for (int k = 1; k <= st.NoCALL && st.LivelloStack <= kMaxDepth; ++k) {
    const std::string& entry = st.ArrayCALL[k];
    std::string c = Mid(entry, InStr(entry, "->") + 2) + "->";
    int d = 1;
    for (int j = 1; j <= st.NoCALL; ++j) {
      if (!StartsWith(st.ArrayCALL[j], c)) continue;
      d += 1;
      if (d > st.LivelloStack) st.LivelloStack = d;
      if (d > kMaxDepth) break;
      c = Mid(st.ArrayCALL[j], Len(c) + 1) + "->";
      j = 0;  // restart the scan
    }
  }
  if (st.LivelloStack > kMaxDepth) {
    NessunaIstruzione(st);
    SegnalaErrore(st, "Superato il livello massimo di CALL a subroutine");
  }
}

}  // namespace velmora
