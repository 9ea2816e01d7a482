// SPDX-License-Identifier: GPL-3.0-or-later
// The statement dispatcher and the simple statements.
#pragma once

#include "compile_state.h"

namespace velmora {

// Translates line `line` when it is a simple statement (or an interrupt,
// timer or WRITE statement, handed to their own files); any other line is
// left for the later passes.
void TraduciIstruzione(CompileState& st, int line);

// TraduciIstruzione on every line that is neither empty nor finished, up to
// the first error.
void TraduciIstruzioni(CompileState& st);

}  // namespace velmora
