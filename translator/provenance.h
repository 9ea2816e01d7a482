// SPDX-License-Identifier: GPL-3.0-or-later
// Where the output comes from: the BASIC source line of each assembly line,
// of each error and warning, and the words each source line costs.
#pragma once

#include "compile_state.h"
#include "translator.h"

namespace velmora {

// Copies the source lines the translation recorded into the result: the
// errors and warnings, and after a successful translation the source line of
// each assembly line and the words per source line.
void FillSourceFields(const CompileState& st, TranslationResult& r);

}  // namespace velmora
