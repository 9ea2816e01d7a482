// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --simulate: translate, assemble with gpasm, run on gpsim, print
// the chip's state.
#pragma once


namespace velmora {

// True when the command line asks for a simulation (it holds --simulate
// before any "--").
bool IsSimulateCommand(int argc, char** argv);

// Runs `velmorac --simulate CYCLES [--pin A0=1 ...] [--watchdog]
// [--stimoli FILE] [--vcd OUT.vcd] [--] FILE.bas`.
// Exit status: 0 the program ran, 1 translation error (the error block on
// standard error) or the chip stopped by itself (FILE.bas:N: errore: ...),
// 2 a tool is missing, crashed or hung, or a wrong command line.
int SimulateCommand(int argc, char** argv);

}  // namespace velmora
