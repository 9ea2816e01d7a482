// SPDX-License-Identifier: GPL-3.0-or-later
// SUB blocks: every SUB header is paired with the next END SUB; the body
// translator turns the pair into a label and RETURN and records the calls.
#include "sub_blocks.h"

#include "reporter.h"
#include "subroutines.h"
#include "text.h"

namespace velmora {

using namespace text;

void TranslateSubBlocks(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (StartsWith(line, "END SUB ")) {
      Corrente(st, i);
      SegnalaErrore(st, "Struttura SUB...END SUB non bilanciata");
      return;
    }
    if (!StartsWith(line, "SUB ")) continue;
    const int s = i;
    bool closed = false;
    for (int j = i + 1; j <= st.NoInput; ++j) {
      if (StartsWith(st.ArrayInput[j], "SUB ")) {
        Corrente(st, s);
        SegnalaErrore(st, "Dichiarazione SUB non chiusa");
        return;
      }
      if (st.ArrayInput[j] == "END SUB") {
        TraduciSubBody(st, s, j);
        if (st.Flag_Errore) return;
        i = j;
        closed = true;
        break;
      }
    }
    if (!closed) {
      Corrente(st, s);
      SegnalaErrore(st, "Struttura SUB...END SUB non bilanciata");
      return;
    }
  }
}

}  // namespace velmora
