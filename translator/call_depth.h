// SPDX-License-Identifier: GPL-3.0-or-later
// The subroutine call depth.
#pragma once

#include "compile_state.h"

namespace velmora {

// Sets LivelloStack to the deepest chain of SUBs calling SUBs (0 when no SUB
// calls another); a chain deeper than 6 stops the translation.
void CheckCallDepth(CompileState& st);

}  // namespace velmora
