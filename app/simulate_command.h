// velmorac --simulate: translate, assemble with gpasm, run on gpsim, print
// the chip's state.
#pragma once


namespace velmora {

// True when the command line asks for a simulation (it holds --simulate
// before any "--").
bool IsSimulateCommand(int argc, char** argv);

// Runs `velmorac --simulate CYCLES [--pin A0=1 ...] [--watchdog] [--] FILE.bas`.
// Exit status: 0 the program ran, 1 translation error (the error block on
// standard error), 2 a tool is missing or failed, or a wrong command line.
int SimulateCommand(int argc, char** argv);

}  // namespace velmora
