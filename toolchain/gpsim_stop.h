// SPDX-License-Identifier: GPL-3.0-or-later
// Why gpsim ended a run, read from the text it printed.
//
// Besides the breakpoints we set (the cycle limit, SLEEP and the user's
// lines), gpsim halts a run by itself when the program does something the
// chip model refuses: an EEPROM address past the 64 bytes, a file register
// the PIC16F84 does not have, a ninth or a missing return address on the
// stack (switched on by Velmora's module), a reset while resets break. Each
// is parsed into a typed stop with gpsim's own words kept beside it, so
// velmorac, the batch and the simulator window can explain it in Italian on
// the program's BASIC line.
//
// Every line of a run's answer is either recognised (a stop, a breakpoint,
// gpsim's trace of the last instruction, its register-write log) or kept as
// a note: text the parser does not know never makes the run fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::toolchain {

enum class StopKind {
  None,            // the answer holds no halt (not a run, or cut short)
  CycleLimit,      // our breakpoint at a cycle count
  Breakpoint,      // our breakpoint on a program address (SLEEP, a BASIC line)
  EepromRead,      // EEPROM read past the 64 bytes
  EepromWrite,     // EEPROM write past the 64 bytes
  RegisterRead,    // read of a file register the chip does not have
  RegisterWrite,   // write to a file register the chip does not have
  StackOverflow,   // a ninth return address pushed
  StackUnderflow,  // a return with no return address on the stack
  Watchdog,        // a watchdog reset (halts only when resets break)
  Reset,           // another reset (halts only when resets break)
  Unknown,         // gpsim halted and said nothing the parser knows
};

struct GpsimStop {
  StopKind kind = StopKind::None;
  // Breakpoint: the program address; Eeprom*: the EEPROM address;
  // Register*: the file register; -1 otherwise.
  int address = -1;
  // The program address of the last instruction gpsim executed (its trace
  // line after a halt); -1 when it printed none.
  int pc = -1;
  // The cycle count gpsim's trace line gives that instruction (the chip's
  // counter, read back after the run, is one or more cycles further on).
  std::optional<std::uint64_t> cycle;
  std::string original;            // gpsim's own words for the stop, on one line
  std::vector<std::string> notes;  // lines of the answer the parser does not know
  // The chip stopped by itself: not at our breakpoint or cycle limit.
  bool IsFault() const { return kind != StopKind::None && kind != StopKind::CycleLimit && kind != StopKind::Breakpoint; }
};

// Reads the answer to a `run` (or `step`) request: the last halt it reports
// decides the kind (a watchdog reset followed by the cycle limit, when
// resets do not break, is a cycle-limit stop).
GpsimStop ParseGpsimStop(const std::string& answer);

// The word `velmorac --simulate` prints as "FERMATA = WORD" for a fault
// ("eeprom-lettura", "stack-pieno", ...); empty for the other kinds.
std::string StopWord(StopKind kind);

// What happened, in Italian, for a student: lower case first, no final
// full stop ("lettura della EEPROM dati all'indirizzo 100, ...").
std::string StopExplanation(const GpsimStop& stop);

// Where a stop belongs in the BASIC program: the line of the instruction
// `pc`, or, when that instruction belongs to no line (a runtime routine such
// as the EEPROM read), the line of the CALL that `returnAddress` (the top of
// the stack) comes back to. `basicLineByAddress[a]` is the BASIC line of
// program address a, 0 for none. `address` is the instruction that stands
// for the line (pc itself or that CALL); line 0 when neither is known.
struct StopPlace {
  int line = 0;
  int address = -1;
};
StopPlace PlaceOfStop(int pc, int returnAddress, const std::vector<int>& basicLineByAddress);

// Rows "0020   1405           00047 @6:     BSF ..." of a gpasm listing:
// element a is the source line (from 1) of program address a, 0 for none
// (1024 elements). Addresses outside program memory (the data EEPROM at
// 0x2100) are skipped.
std::vector<int> ReadListingLines(const std::string& listing);

// The BASIC line of each program address, from the listing's assembly lines
// and `asmToBasic` (element i: the BASIC line of assembly line i+1, 0 none).
std::vector<int> BasicLinesByAddress(const std::string& listing, const std::vector<int>& asmToBasic);

}  // namespace velmora::toolchain
