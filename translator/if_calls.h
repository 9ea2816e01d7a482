// SPDX-License-Identifier: GPL-3.0-or-later
// Function calls in IF conditions, taken out before the statement passes.
#pragma once

#include "compile_state.h"

namespace velmora {

// Each IF line calling DIV10(, DIV10R(, READ( or GETDATA( becomes an
// assignment of the call to a work byte, followed by the IF testing that byte:
//   IF DIV10(X) THEN  ->  W#D1 = DIV10(X) / IF W#D1 <> 0 THEN
//   IF READ(5) > 3 THEN  ->  W#VLTx = READ(5) / IF W#VLTx > 3 THEN
// An IF with several calls loses one call per visit of its line.
void ExtractIfCalls(CompileState& st);

}  // namespace velmora
