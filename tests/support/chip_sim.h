// SPDX-License-Identifier: GPL-3.0-or-later
// Runs BASIC programs on the real tools: translate, assemble with gpasm,
// simulate with gpsim, read the chip back.
//
// Tests use it to check what the generated code does on the PIC16F84, not
// only its text. Variables are read back by the addresses of their equates.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmora::test {

struct ChipOptions {
  // Instruction cycles to simulate before reading the chip back.
  long cycles = 200000;
  // Levels held on the port pins for the whole run (bit n = pin n high).
  // Input pins read them; output pins keep the program's level.
  int portAInputs = 0;
  int portBInputs = 0;
  // Pins that change instead, by gpsim's pin name ("porta0".."portb7"): low
  // at the start, then the levels of "cycle, level, cycle, level, ...".
  std::map<std::string, std::string> pulses = {};
  // Extra gpsim commands run after loading and before running.
  std::vector<std::string> gpsimCommands = {};
};

struct ChipResult {
  bool translated = false;  // the translator produced an assembly source
  bool assembled = false;   // gpasm assembled it without errors
  // gpsim ran all the requested cycles and the chip was read back. When gpsim
  // stops by itself first (it does on some faults), the chip is still read
  // back but `ran` stays false and `log` says so.
  bool ran = false;
  std::string assembly;     // the translator's output (or its error block)
  std::string log;          // gpasm / gpsim output, for failure messages
  std::map<std::string, int> ram;  // every equate of the source -> its byte
  int portA = -1, portB = -1, trisA = -1, trisB = -1;
  std::vector<int> eeprom;         // the 64 bytes of data EEPROM

  // The byte of a variable; -1 when the source has no such equate.
  int Var(const std::string& name) const { return ram.contains(name) ? ram.at(name) : -1; }
  bool ok() const { return translated && assembled && ran; }
};

// Translates `basic` (UTF-8), assembles and simulates it.
ChipResult RunOnChip(const std::string& basic, const ChipOptions& options = {});

// Assembles an assembly source with gpasm (PIC16F84, PIC16F84.DEF beside it);
// true when it assembles without errors. `log` receives gpasm's output.
bool AssemblesCleanly(const std::string& assembly, std::string* log = nullptr);

}  // namespace velmora::test
