// One translated program on the real tools: assemble it with gpasm in a
// temporary folder, run it on gpsim for a number of instruction cycles, read
// the chip back as the lines velmorac --simulate prints.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "simulator.h"
#include "stimuli.h"
#include "translator.h"

namespace velmora {

// The lines --simulate prints, as (name, value) pairs in order: the declared
// variables, PORTA, PORTB, TRISA, TRISB, W, CICLI, SLEEP.
using ChipLines = std::vector<std::pair<std::string, std::string>>;

struct AssemblyRun {
  bool ok = false;
  bool toolMissing = false;  // gpasm or gpsim is not installed (`error` names the package)
  bool timedOut = false;     // gpsim did not answer within the guard and was stopped
  std::string error;         // Italian, with gpasm's error lines when it failed
  ChipLines lines;           // at the end of the run
  // With intermediate moments: the lines at each of them, in order.
  std::vector<ChipLines> atMoments;
};

// Assembles a translated program (the assembly pane text) in a temporary
// folder, runs it on gpsim and reads the chip back; `variables` are the
// program's declared variables, in RAM order. With `moments` (cycle counts,
// ascending, each at most options.cycles) the chip is also read at each.
// `changes` (in the order they apply) change input lines during the run;
// the levels of options.pins hold from reset until a change.
AssemblyRun RunAssembly(const std::string& assembly, const std::vector<toolchain::Variable>& variables,
                        const toolchain::SimulationOptions& options,
                        const std::vector<std::uint64_t>& moments = {},
                        const std::vector<toolchain::StimulusChange>& changes = {});

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
