// SPDX-License-Identifier: GPL-3.0-or-later
// The translation driver: one call of Translate is one translation.
#pragma once

#include <string>

#include "compile_state.h"
#include "report.h"
#include "translator.h"  // TranslateOptions

namespace velmora {

// Translates `basicText` (translator code page, lines ended by CR LF; a
// missing final CR LF is appended to the text itself, as the editor shows).
// Afterwards st.TextASM holds the assembly source or the error block and
// st.Flag_Errore tells which. Returns the six-line report (UTF-8), or the
// empty text after an error.
std::string Translate(CompileState& st, std::string& basicText, const TranslateOptions& options);

}  // namespace velmora
