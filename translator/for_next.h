// SPDX-License-Identifier: GPL-3.0-or-later
// FOR ... NEXT lowered into fixed instruction blocks or general BASIC lines.
#pragma once

#include "compile_state.h"

namespace velmora {

void ForNext(CompileState& st, int forLine, int nextLine);

}  // namespace velmora
