// SPDX-License-Identifier: GPL-3.0-or-later
// SELECT CASE: lowered early into block IFs, GOTO lines and labels.
#pragma once

#include "compile_state.h"

namespace velmora {

void SelectCase(CompileState& st);

}  // namespace velmora
