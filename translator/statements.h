// The statement dispatcher and the simple statements.
#pragma once

#include "compile_state.h"

namespace velmora {

// Translates line `line` when it is a simple statement (or an interrupt,
// timer or WRITE statement, handed to their own files); any other line is
// left for the later passes.
void TraduciIstruzione(CompileState& st, int line);

}  // namespace velmora
