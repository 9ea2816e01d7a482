// SPDX-License-Identifier: GPL-3.0-or-later
// Pairing of SUB ... END SUB blocks.
#pragma once

#include "compile_state.h"

namespace velmora {

// Finds every SUB ... END SUB block and hands it to the SUB body translator.
// An END SUB outside a block, a SUB inside another or a SUB never closed is
// reported.
void TranslateSubBlocks(CompileState& st);

}  // namespace velmora
