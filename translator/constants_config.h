// SPDX-License-Identifier: GPL-3.0-or-later
// CONST/SYMBOL (textual constants) and CONFIG (port directions).
#pragma once

#include "compile_state.h"

namespace velmora {

// Collects CONST and SYMBOL declarations above the first IF/FOR/DO line and
// substitutes each name, as a whole word, in every line of the program.
void TraduciConstSymbol(CompileState& st);

// Collects CONFIG statements above the first IF line into one TRIS value per
// port and writes the start-up lines into ArrayInit.
void TraduciConfig(CompileState& st);

}  // namespace velmora
