// SPDX-License-Identifier: GPL-3.0-or-later
// DO ... LOOP lowered into labels, jumps and block IFs.
#pragma once

#include "compile_state.h"

namespace velmora {

void DoLoop(CompileState& st, int doLine, int loopLine);

}  // namespace velmora
