// SPDX-License-Identifier: GPL-3.0-or-later
// Where the three line steps may stop, worked out from the program itself:
// the instruction words (calls, returns, jumps, skips) and the address ->
// BASIC line map. The controller sets the addresses as temporary
// breakpoints and runs; the first one reached ends the step.
//
//   Passo         the first address of another BASIC line, passing through
//                 the jumps an ELSE, LOOP, CASE or the end of a THEN branch
//                 compile to (so a step never lands on a line that only
//                 jumps, and a loop stops once per turn on its own test);
//   Passo sopra   the same, but not inside the routines the line calls nor
//                 in the interrupt code (unless the step starts there);
//   Esci dalla SUB  the return addresses of the routine the program is in.
#pragma once

#include <set>

#include "program_map.h"

namespace velmora::simulator {

// Every address the program can execute from `entry` until it returns from
// there, following jumps, both ways of a skip, and calls into the routines
// they call.
std::set<int> Reach(const ProgramMap& map, int entry);

// The addresses of the interrupt code (from the vector at 4 on, with the
// routines it calls); empty when the program has no interrupt vector.
std::set<int> InterruptCode(const ProgramMap& map);

std::set<int> LineStepStops(const ProgramMap& map, int pc);
std::set<int> StepOverStops(const ProgramMap& map, int pc);
// The addresses right after each call of the innermost routine holding
// `pc`; empty when `pc` is in no routine (the main program).
std::set<int> StepOutStops(const ProgramMap& map, int pc);

}  // namespace velmora::simulator
