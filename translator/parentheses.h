// SPDX-License-Identifier: GPL-3.0-or-later
// Parenthesised logical expressions, split into flat assignments.
#pragma once

#include "compile_state.h"

namespace velmora {

void SplitParentheses(CompileState& st);

}  // namespace velmora
