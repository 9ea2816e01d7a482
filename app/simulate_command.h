// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --simulate: translate, assemble with gpasm, run on gpsim, print
// the chip's state.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "simulator.h"

namespace velmora {

// The lines --simulate prints, as (name, value) pairs in order: the declared
// variables, PORTA, PORTB, TRISA, TRISB, W, CICLI, SLEEP, and FERMATA after
// a stop of the chip's own.
using ChipLines = std::vector<std::pair<std::string, std::string>>;

// gpsim stopped the program by itself (an EEPROM address past 63, a
// register the chip does not have, the stack): the chip is read back at
// that moment.
struct ChipStop {
  std::string word;         // FERMATA's value ("eeprom-lettura", ...)
  std::string explanation;  // Italian, lower case first
  std::string original;     // gpsim's own words
  int line = 0;             // the BASIC line; 0 when not known
};

struct AssemblyRun {
  bool ok = false;        // the chip was read back (also after a stop)
  bool timedOut = false;  // gpsim was stopped at the time limit
  std::string error;      // Italian, with gpasm's error lines when it failed
  ChipLines lines;
  toolchain::PinTrace trace;  // the lines' changes, when the options asked for them
  std::optional<ChipStop> stop;
  std::vector<std::string> notes;  // gpsim lines Velmora does not know, as printed
};

// Assembles a translated program (the assembly pane text) in a temporary
// folder, runs it on gpsim and reads the chip back. `asmToBasic` (the
// translation's assemblyLineSources) gives a stop its BASIC line.
AssemblyRun RunAssembly(const std::string& assembly, const toolchain::SimulationOptions& options,
                        const std::vector<int>& asmToBasic = {});

// Time limit of a run of `cycles` cycles: 10 s plus 1 ms per thousand
// cycles, far more than gpsim needs, so only a hung gpsim reaches it.
std::chrono::milliseconds SimulationTimeLimit(std::uint64_t cycles);

// True when the command line asks for a simulation (it holds --simulate).
bool IsSimulateCommand(int argc, char** argv);

// Runs `velmorac --simulate CYCLES [--pin A0=1 ...] [--watchdog]
// [--stimoli FILE] [--vcd OUT.vcd] FILE.bas`.
// Exit status: 0 the program ran, 1 translation error (the error block on
// standard error) or the chip stopped by itself (FILE.bas:N: errore: ...),
// 2 a tool is missing, crashed or hung, or a wrong command line.
int SimulateCommand(int argc, char** argv);

}  // namespace velmora
