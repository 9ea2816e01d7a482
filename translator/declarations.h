// SPDX-License-Identifier: GPL-3.0-or-later
// Variables and DIM: the declaration pass and the lookups over FAT.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

// Reads every DIM line above the first IF/DO line into FAT, counts NoByteRAM,
// blanks the DIM lines, and checks the 61-byte capacity.
void TraduciDim(CompileState& st);

// "W", "F", "OR", "AND", "IF", "ELSE", "THEN", "DO", "LOOP", or a name with a blank.
bool IsReservedName(const std::string& name);

// A name the assembler reads as an instruction or a directive (B, BC, MOVF,
// ORG...): its equate does not assemble. A declaration of it is warned about.
bool IsAssemblerWord(const std::string& name);

// Element size of a declared variable from its type (1, 2, 4 or 8); 0 when undeclared.
int VariableSize(const CompileState& st, const std::string& name);

}  // namespace velmora
