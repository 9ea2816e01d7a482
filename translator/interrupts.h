// SPDX-License-Identifier: GPL-3.0-or-later
// Interrupt and timer statements, called by the statement dispatcher.
#pragma once

#include "compile_state.h"

namespace velmora {

// ON TIMER / EXTERNAL / LINE INTERRUPT CALL sub.
void TraduciOnInterrupt(CompileState& st, int line);
// SET INIT TIMER TO value.
void TraduciSetInitTimer(CompileState& st, int line);
// The exact single statements: SET TIMER ON/OFF, SET INTERNAL/EXTERNAL CLOCK,
// SET TIMER EDGE UP/DOWN, SET EXTERNAL INTERRUPT EDGE UP/DOWN and ON/OFF,
// SET LINE INTERRUPT ON/OFF. Returns false when the line is none of them.
bool TraduciTimerBit(CompileState& st, int line);
// SET TIMER RATE TO rate.
void TraduciTimerRate(CompileState& st, int line);

}  // namespace velmora
