// The translation driver: one call of Translate is one translation.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

// Translates `basicText` (translator code page, lines ended by CR LF; a
// missing final CR LF is appended to the text itself, as the editor shows).
// Afterwards st.TextASM holds the assembly source or the error block and
// st.Flag_Errore tells which; the report is rendered from the state after it
// (report.h).
void Translate(CompileState& st, std::string& basicText);

}  // namespace velmora
