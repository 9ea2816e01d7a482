// SPDX-License-Identifier: GPL-3.0-or-later
// The conversation with gpsim's command interface (`gpsim -i`, commands on
// standard input, answers on standard output).
//
// `GpsimCommands` builds the command lines; `GpsimReply` reads gpsim's
// answers back. Neither starts a process: the headless run (simulator.h)
// and the simulator window send the same commands and parse the same
// answers, each over its own pipe.
//
// Every request ends with `Sync()`, which makes gpsim print one line of its
// own, `kSyncLine`: the text before it is that request's answer. (gpsim
// echoes each command line it reads from a pipe after its prompt, so the
// answers carry the echoed commands too; the parser skips them.)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::toolchain {

// The chip's configuration word as the help tells students to program it:
// XT oscillator, power-up timer off, no code protection, watchdog off; or
// the same with the watchdog on.
constexpr int kConfigWatchdogOff = 0x3FF9;
constexpr int kConfigWatchdogOn = 0x3FFD;

// A pin of the PIC16F84: port 'A' (bits 0-4) or 'B' (bits 0-7).
struct Pin {
  char port = 'A';
  int bit = 0;
  bool operator==(const Pin&) const = default;
};

// "A0", "b7" -> the pin; nothing for a pin the chip does not have.
std::optional<Pin> ParsePin(const std::string& text);

namespace GpsimCommands {

inline constexpr const char* kSyncLine = "velmora-pronto";

// Where Velmora's gpsim module lies, from the folder of the program that
// starts gpsim: the same in the build tree and once installed
// (VELMORA_MODULE_DIR, from the top CMakeLists.txt: lib/<multiarch>/velmora).
inline constexpr const char* kStackModuleFromProgram = "../" VELMORA_MODULE_DIR "/libvelmora_gpsim.so";

// Selects the chip, loads the program (.cod, with its symbols) and sets the
// configuration word; a watchdog reset restarts the program as on the chip
// instead of stopping the simulation. Defines the sync symbol.
std::string Setup(const std::string& codFile, bool watchdog);
// Its three parts: the chip; the program and its configuration word; the
// sync symbol.
std::string SelectProcessor();
std::string LoadProgram(const std::string& codFile, bool watchdog);
std::string DefineSync();
// Loads gpsim's module library once, before the first AttachPin.
std::string LoadModules();
// Loads Velmora's own module (built beside the programs, see gpsim_module/)
// and creates the object whose `StackDepth()` reads the hardware stack; a
// ninth nested push, or a return with an empty stack, then stops the run
// (see gpsim_stop.h).
std::string LoadStackModule(const std::string& libraryPath);
// The same with the library already loaded (ModuleLibrary).
std::string StackModule();
std::string StackDepth();
// Velmora's pin recorder and stimulus player, in the same module library as
// the stack depth (loaded once with ModuleLibrary or LoadStackModule).
std::string ModuleLibrary(const std::string& libraryPath);
// Creates the recorder; StartRecording opens (truncates) its file and writes
// the present level of every line, StopRecording writes the end and closes.
std::string LoadRecorder();
std::string StartRecording(const std::string& file);
std::string FlushRecording();
// Records the byte of RAM at `address` too (given before StartRecording).
std::string RecordByte(int address);
std::string StopRecording();
// Creates the player and hands it a schedule file of StimulusScheduleLine
// lines: each change applies at its cycle while gpsim runs.
std::string PlayStimuli(const std::string& file);
// "CYCLE SOURCE VALUE": the source AttachPin connected to `pin` set high or low.
std::string StimulusScheduleLine(std::uint64_t cycle, Pin pin, bool high);
// The return address on top of the stack (-1 when empty), through the module.
std::string ReturnAddress();
// Connects a voltage source with a series resistor to the pin, at `high`'s
// level. The resistor is strong enough to beat PORTB's weak pull-ups and
// weak enough that a pin the program drives as an output keeps its level.
std::string AttachPin(Pin pin, bool high);
// Its two halves: the source and its node, which need only the chip; and
// the connection to the pin, which needs the program loaded (gpsim knows
// the pins' names from then on).
std::string CreateSource(Pin pin);
std::string ConnectSource(Pin pin);
// Changes the level of a pin connected by AttachPin (the window's click).
std::string SetPin(Pin pin, bool high);
// Crystal frequency in Hz (for the simulated time; 4 MHz on the boards).
std::string Frequency(long hz);
// Breakpoints: at an absolute cycle count, and on executing an address.
std::string BreakAtCycle(std::uint64_t cycle);
std::string BreakAtAddress(int address);
// Removes a breakpoint; gpsim numbers them from 0 in the order they are set.
std::string ClearBreak(int number);
std::string Run();
std::string Step(int instructions = 1);
std::string Reset();
// File registers of both banks (and W, PC), the data EEPROM, the cycle count.
std::string DumpRegisters();
std::string DumpEeprom();
std::string Cycles();
std::string Sync();
std::string Quit();

}  // namespace GpsimCommands

// Why a run stopped at one of our breakpoints, read from its answer (the
// full set of stops, gpsim's own included, is in gpsim_stop.h).
struct RunStop {
  enum class Kind { None, CycleBreak, ExecutionBreak };
  Kind kind = Kind::None;
  int address = -1;  // for ExecutionBreak: the program address reached
};

// The chip read back from `DumpRegisters()` answers.
struct RegisterDump {
  std::vector<int> registers;  // 0x00..0xFF, -1 where the chip has none
  int w = -1;
  int pc = -1;
};

namespace GpsimReply {

// Splits a transcript at the sync lines: element i is the answer to the
// i-th request; text after the last sync line is not included.
std::vector<std::string> SplitAtSync(const std::string& transcript);
// True once `transcript` holds `count` sync lines (a request is complete).
bool HasSyncs(const std::string& transcript, int count);

RunStop ParseRunStop(const std::string& answer);
// Nothing when the dump is incomplete.
std::optional<RegisterDump> ParseRegisters(const std::string& answer);
// The 64 bytes of data EEPROM; nothing when incomplete.
std::optional<std::vector<int>> ParseEeprom(const std::string& answer);
// The cycle counter ("1001 = 0x000003E9").
std::optional<std::uint64_t> ParseCycles(const std::string& answer);
// The number printed by `StackDepth()` or `ReturnAddress()`; nothing when
// the module is not loaded.
std::optional<int> ParseStackDepth(const std::string& answer);
// The run stopped because a ninth return address was pushed.
bool StackOverflow(const std::string& answer);
// gpsim's own error lines ("***ERROR: ..."), in order.
std::vector<std::string> Errors(const std::string& answer);

}  // namespace GpsimReply

}  // namespace velmora::toolchain
