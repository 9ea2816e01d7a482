// SPDX-License-Identifier: GPL-3.0-or-later
// Unresolved statements: a line that no pass turned into assembly is a
// statement the dialect does not know (or one written wrongly enough that no
// pass recognised it).
#include "unresolved.h"

#include "reporter.h"

namespace velmora {

void ReportUnresolved(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (line.empty() || IsFinished(line)) continue;
    Corrente(st, i);
    SegnalaErrore(st, "Istruzione non risolta");
    return;
  }
}

}  // namespace velmora
