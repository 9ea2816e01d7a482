// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly writer and the register definitions file.
#pragma once

#include <string>
#include <string_view>

#include "compile_state.h"

namespace velmora {

// Appends one output line (without a leading "A>") and CR LF to the pane text,
// and records the BASIC source line it comes from (0: none) in SorgenteASM.
void ScriviRigaASM(CompileState& st, std::string_view line, int source = 0);

// Writes the whole assembly source into st.TextASM (nothing after an error).
void ScriviASM(CompileState& st);

// The runtime routines @@WRT, @@RD, @@DV10/@@DV10C the program needs.
void ScriviRoutine(CompileState& st);

// The DATA table routine @@GD.
void ScriviTabellaDati(CompileState& st);

// The 48 lines of PIC16F84.DEF, each followed by CR LF.
std::string TestoDefinizioni();

// The author credit carried by the SubTitle line and the window title.
std::string CreditoAutore();

}  // namespace velmora
