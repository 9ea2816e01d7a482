// SPDX-License-Identifier: GPL-3.0-or-later
// One translated program on the real tools: assemble it with gpasm in a
// temporary folder, run it on gpsim for a number of instruction cycles, read
// the chip back as the lines velmorac --simulate prints.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "assembler_diagnostics.h"
#include "simulator.h"
#include "stimuli.h"
#include "translator.h"

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
  bool ok = false;           // the chip was read back (also after a stop)
  bool toolMissing = false;  // gpasm or gpsim is not installed (`error` names the package)
  bool timedOut = false;     // gpsim did not answer within the guard and was stopped
  std::string error;         // Italian, with gpasm's error lines when it failed
  // gpasm refused the program itself (a label of an ASM block, a program
  // past the 1024 words): its errors on their Basic lines. Not a tool fault.
  std::vector<toolchain::AssemblerDiagnostic> assemblerErrors;
  ChipLines lines;           // at the end of the run (or at the stop)
  // With intermediate moments: the lines at each of them, in order (a
  // moment past a stop sees the chip as it stopped).
  std::vector<ChipLines> atMoments;
  toolchain::PinTrace trace;       // the lines' changes, when the options asked for them
  std::optional<ChipStop> stop;    // the first stop of the chip's own
  std::vector<std::string> notes;  // gpsim lines Velmora does not know, as printed
};

// Assembles a translated program (the assembly pane text) in a temporary
// folder, runs it on gpsim and reads the chip back; `variables` are the
// program's declared variables, in RAM order. With `moments` (cycle counts,
// ascending, each at most options.cycles) the chip is also read at each.
// `changes` (in the order they apply) change input lines during the run;
// the levels of options.pins hold from reset until a change. Without a
// module path in the options Velmora's module is looked for beside the
// program. `asmToBasic` (the translation's assemblyLineSources) gives a
// stop its BASIC line.
AssemblyRun RunAssembly(const std::string& assembly, const std::vector<toolchain::Variable>& variables,
                        const toolchain::SimulationOptions& options,
                        const std::vector<std::uint64_t>& moments = {},
                        const std::vector<toolchain::StimulusChange>& changes = {},
                        const std::vector<int>& asmToBasic = {});

// The wall-clock guard of a run of `cycles` cycles: 10 s plus 1 ms per
// thousand cycles, far more than gpsim needs, so only a hung gpsim reaches
// it. The cycle count alone decides how far a program runs.
std::chrono::milliseconds SimulationGuard(std::uint64_t cycles);

// The variables of a translation as the chip holds them (each element
// little-endian): BYTE 1 byte, INTEGER and WORD 2, SINGLE and FLOAT 4, LONG 8.
std::vector<toolchain::Variable> ChipVariables(const std::vector<DeclaredVariable>& variables);

// The lines --simulate prints for a chip read back.
ChipLines ReadChip(const std::vector<toolchain::Variable>& variables, const toolchain::ChipState& chip);

}  // namespace velmora
