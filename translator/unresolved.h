// SPDX-License-Identifier: GPL-3.0-or-later
// The last check before the post-processing: no statement may be left over.
#pragma once

#include "compile_state.h"

namespace velmora {

// The first line that is neither empty nor finished is reported as
// "Istruzione non risolta".
void ReportUnresolved(CompileState& st);

}  // namespace velmora
