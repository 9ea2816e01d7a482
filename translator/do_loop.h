// DO ... LOOP lowered into labels, jumps and block IFs.
#pragma once

#include "compile_state.h"

namespace velmora {

void DoLoop(CompileState& st, int doLine, int loopLine);

}  // namespace velmora
