// SPDX-License-Identifier: GPL-3.0-or-later
// The error reporter: every translation error goes through SegnalaErrore.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

// Raises Flag_Errore and appends the error block to the assembly pane text:
// "<*> ERRORE : " + message + CR LF, then, when IstruzioneCorrente is not
// empty, "---istruzione---" + CR LF + the statement (no line end after it).
// The message is given in UTF-8 (as written in the sources) and stored in the
// translator's single-byte code page like every other text of the pane;
// `programText`, already in that code page (a statement line, say), follows
// the message unchanged: SegnalaErrore(st, "Controllare la sintassi: ", line).
// The first line of the message is also recorded in st.Errori with the source
// line of the statement being translated (RigaCorrente).
void SegnalaErrore(CompileState& st, const std::string& messageUtf8,
                   const std::string& programText = {});

}  // namespace velmora
