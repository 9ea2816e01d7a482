// SPDX-License-Identifier: GPL-3.0-or-later
// Pairing of the FOR, DO and IF blocks.
#pragma once

#include "compile_state.h"

namespace velmora {

// Pairs FOR ... NEXT blocks, then DO ... LOOP, then IF ... [ELSE] ... END IF,
// each innermost first, and hands every pair to its block translator. An
// orphan closer or an unclosed opener is reported.
void TranslateBlocks(CompileState& st);

}  // namespace velmora
