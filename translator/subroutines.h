// SPDX-License-Identifier: GPL-3.0-or-later
// SUB headers, CALL with arguments, and the SUB bodies.
#pragma once

#include "compile_state.h"

namespace velmora {

// Fills ArraySUB from the SUB headers and turns CALL arguments into assignments.
void TraduciSubCall(CompileState& st);

// Translates one SUB ... END SUB block (header line s, END SUB line e) and
// records the calls it makes in ArrayCALL.
void TraduciSubBody(CompileState& st, int s, int e);

}  // namespace velmora
