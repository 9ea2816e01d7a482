// SPDX-License-Identifier: GPL-3.0-or-later
// Assignments and arithmetic expressions, and the name tests other passes share.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

// target = expression, at line `line` whose first "=" is at eqPos.
void TraduciAssegnazione(CompileState& st, int line, int eqPos);

// TraduciAssegnazione on every unfinished line holding "=", up to the first error.
void TraduciAssegnazioni(CompileState& st);

// "&H..." or a decimal text equal to its canonical form (12, -3, 1.5, .5).
bool IsNumber(const std::string& text);

// A SUB name, or a SUB name followed directly by its parameter count.
bool IsSubroutine(const CompileState& st, const std::string& name);

// The four bytes of a decimal-fraction constant as eight hex digits; reports
// "Numero decimale con parte intera è > 255" and gives "00000000" when too large.
std::string ConvertiFloat(CompileState& st, double value);

// The constant operand `text` as FormatHex writes it (its value rounded to a
// 16-bit integer, low byte). A value outside the 16-bit range is reported as
// "Costante numerica non ammessa"; the result is then empty.
std::string HexOperando(CompileState& st, const std::string& text);

}  // namespace velmora
