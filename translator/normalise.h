// SPDX-License-Identifier: GPL-3.0-or-later
// Source normalisation: the first pass of every translation.
//
// Reads the BASIC text line by line into ArrayInput, one statement per line,
// in the canonical form every later pass relies on: comments removed, upper
// case outside string literals, single spaces, binary, ASC() and 0x literals
// written as "&H" hexadecimal, PORT and LINE keywords reduced, user labels
// turned into finished label lines, multi-statement lines split, single-line
// IFs expanded into blocks, OUTPUT of a line rewritten. It also checks that the
// main program ends with END and that the SUBs follow it.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

// `basicText` is the editor text in the translator's code page, ending with
// CR LF (the driver guarantees it). Sets NoInput and ArrayInput 1..NoInput.
void Normalise(CompileState& st, const std::string& basicText);

}  // namespace velmora
