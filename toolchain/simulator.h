// SPDX-License-Identifier: GPL-3.0-or-later
// A headless run of an assembled program on gpsim: load the .cod, configure
// the chip, hold the input pins, run a number of instruction cycles (or
// until SLEEP), read the chip back.
//
// gpsim runs as a child process driven over a pipe with its command
// interface (gpsim_protocol.h); the whole run is one request list written
// at once, and a time limit kills a gpsim that does not answer.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gpsim_protocol.h"
#include "gpsim_stop.h"
#include "pin_trace.h"
#include "process.h"
#include "stimuli.h"
#include "translator.h"

namespace velmora::toolchain {

class GpsimServer;

// A variable of the program, from its equate in the assembly source
// ("NAME    EQU 0x0C    ;BYTE(1-Byte)").
struct Variable {
  std::string name;
  int address = 0;
  std::string type;     // the type word as declared ("BYTE", "INTEGER", ...)
  int size = 1;         // bytes it takes
  int elementSize = 1;  // bytes of one element: 1 BYTE, 2 INTEGER/WORD, 4 SINGLE/FLOAT, 8 LONG
};

// Every variable equate of an assembly source, in address order; the
// translator's own work bytes (names beginning "W#") are included.
std::vector<Variable> ReadEquates(const std::string& assembly);

// The same rows from a translation's own variable table (what the equates
// were written from), in address order: no reading of the assembly text.
std::vector<Variable> VariablesOf(const std::vector<DeclaredVariable>& declared);

// The value of a variable as stored in RAM: each element little-endian (the
// first byte is the low byte, where the byte arithmetic works), in decimal;
// an array gives its elements separated by single spaces. "?" for a byte
// the dump does not hold.
std::string VariableValue(const Variable& variable, const std::vector<int>& registers);

// Program addresses holding a SLEEP instruction, from an Intel HEX file.
std::vector<int> SleepAddresses(const std::string& hexText);

struct SimulationOptions {
  std::uint64_t cycles = 1000000;
  // Levels held on input pins for the whole run; a pin not named is held
  // low. Output pins keep the level the program drives.
  std::vector<std::pair<Pin, bool>> pins;
  bool watchdog = false;
  std::chrono::milliseconds timeLimit{60000};
  // Input changes applied by gpsim at their cycles (after `pins`), and the
  // recording of every line change.
  std::vector<StimulusChange> stimuli;
  bool record = false;
  // With `record`: bytes of RAM also recorded, as buses named NAME (the
  // result's trace names them in this order).
  std::vector<std::pair<std::string, int>> buses;
  // Velmora's gpsim module (gpsim_module/, see VelmoraModulePath()): with it
  // a ninth nested call or a return with an empty stack stops the run, a stop
  // inside a runtime routine finds the CALL it came from, and the recording
  // and the stimuli are done inside gpsim. Empty: run without it (neither
  // recording nor stimuli can then be asked for).
  std::string modulePath;
  // A serving gpsim (gpsim_server.h) started with the same module: the run
  // takes a copy of it instead of starting gpsim. Not owned.
  const GpsimServer* server = nullptr;
};

struct ChipState {
  std::vector<int> registers;  // file registers 0x00..0xFF (bank 1 at 0x80), -1 where none
  std::vector<int> eeprom;     // the 64 data EEPROM bytes
  int w = -1;
  int pc = -1;
  std::uint64_t cycles = 0;  // gpsim's cycle counter when the run stopped
  bool sleep = false;        // the run stopped at a SLEEP instruction
  int returnAddress = -1;    // on top of the stack (with the module); -1 empty or unknown
  int PortA() const { return registers.at(0x05); }
  int PortB() const { return registers.at(0x06); }
  int TrisA() const { return registers.at(0x85); }
  int TrisB() const { return registers.at(0x86); }
};

struct SimulationResult {
  // The chip was read back: also after a stop of the chip's own (`stop`).
  bool ok = false;
  bool toolMissing = false;  // gpsim is not installed (`error` names the package)
  bool timedOut = false;     // gpsim was killed at the time limit
  bool copy = false;         // run on a copy of a serving gpsim (`options.server`)
  std::string error;         // Italian, empty when ok
  ChipState chip;
  // Why the run ended: the cycle limit, a SLEEP breakpoint, or a fault of
  // the program (`stop.IsFault()`); its notes are gpsim's unknown lines.
  GpsimStop stop;
  std::string transcript;    // everything gpsim printed
  PinTrace trace;            // with `record`: the lines' changes over the run
};

// Velmora's gpsim module beside the running program (../lib/velmora from its
// folder); empty when it is not there.
std::string VelmoraModulePath();

// Files of a headless run in gpsim's folder: the stimulus schedule and the
// recording.
inline constexpr const char* kScheduleFile = "velmora-stimoli.txt";
inline constexpr const char* kRecordingFile = "velmora-traccia.txt";

// The stimulus player's schedule for `changes` (StimulusScheduleLine lines).
std::string StimulusSchedule(const std::vector<StimulusChange>& changes);

// The commands of a headless run, as written to gpsim (also for tests and
// the benchmark).
// They begin with the prelude, which is the same for every program: the
// chip, gpsim's module library and the sources for the 13 lines. A
// serving gpsim (gpsim_server.h) has read the prelude and Velmora's module
// library before it makes a copy: the copy reads the script without them
// (`preludeDone`).
std::string HeadlessPrelude();
std::string HeadlessScript(const std::string& codFile, const std::vector<int>& sleepAddresses,
                           const SimulationOptions& options, bool preludeDone = false);

// Reads a headless run's transcript back into `result` (ok, error, chip,
// stop). Only a transcript cut short (gpsim died) or set-up errors (the
// program did not load) fail; text the parser does not know becomes notes.
void ReadHeadlessTranscript(const std::string& transcript, SimulationResult& result);

// Runs `codPath` (with the .hex of the same name beside it, for the SLEEP
// addresses) on gpsim.
SimulationResult Simulate(const std::string& codPath, const SimulationOptions& options);

}  // namespace velmora::toolchain
