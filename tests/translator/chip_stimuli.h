// Shared by the on-chip tests of the declaration passes and the examples:
// run options and the gpsim commands of a pulsed input pin.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chip_sim.h"

namespace velmora::test {

// A run of `cycles` with port A held at `portA` and extra gpsim commands.
inline ChipOptions Options(long cycles, int portA = 0, std::vector<std::string> commands = {}) {
  ChipOptions o;
  o.cycles = cycles;
  o.portAInputs = portA;
  o.gpsimCommands = std::move(commands);
  return o;
}

// gpsim commands driving `pin` ("portb0") from `initial` through the levels
// of `edges` ("{ cycle, level, ... }").
inline std::vector<std::string> Pulses(const std::string& pin, int initial, const std::string& edges) {
  return {"stimulus asynchronous_stimulus", "initial_state " + std::to_string(initial), "start_cycle 0", edges,
          "name pulses_" + pin, "end", "node n_" + pin, "attach n_" + pin + " pulses_" + pin + " " + pin};
}

}  // namespace velmora::test
