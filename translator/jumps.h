// SPDX-License-Identifier: GPL-3.0-or-later
// Jump post-processing: compaction, labels merged into their instruction
// lines, jumps to jumps shortened, unneeded labels removed.
#pragma once

#include "compile_state.h"

namespace velmora {

void CompattaProgramma(CompileState& st);
void RisolviEtichette(CompileState& st);

}  // namespace velmora
