// SPDX-License-Identifier: GPL-3.0-or-later
// Bitwise assignments: AND, XOR, OR and NOT on one byte.
#pragma once

#include "compile_state.h"

namespace velmora {

void TraduciLogica(CompileState& st, int line, int eqPos);

}  // namespace velmora
