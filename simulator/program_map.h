// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulator window knows about an assembled program: which
// assembly line and which BASIC line each program address comes from, the
// instruction word at each address, the jumps a line step passes through,
// the SLEEP addresses, and the variables of the equates.
//
// The address -> assembly line table comes from gpasm's listing (NAME.lst,
// written beside NAME.cod): only its rows with object code are read, so the
// equates of the included PIC16F84.DEF (which has no code) never count.
#pragma once

#include <string>
#include <vector>

#include "simulator.h"

namespace velmora::simulator {

inline constexpr int kProgramWords = 1024;

// Rows "0020   1405           00047 @6:     BSF ..." of a gpasm listing:
// element a is the source line (from 1) of program address a, 0 for none.
// Addresses outside program memory (the data EEPROM at 0x2100) are skipped.
std::vector<int> ReadListingLines(const std::string& listing);

// Program memory from an Intel HEX file: the word at each address, -1 where
// the file has none.
std::vector<int> ReadProgramWords(const std::string& hexText);

// An assembly line that is an unconditional jump to one of the translator's
// own labels ("GOTO @12", a label before it allowed): what an ELSE, a LOOP,
// a CASE or the end of a THEN branch compiles to. A user's GOTO names a
// label of the user's and is not one.
bool IsGeneratedJump(const std::string& assemblyLine);

struct ProgramMap {
  std::vector<int> asmLine = std::vector<int>(kProgramWords);    // by address, from 1; 0 none
  std::vector<int> basicLine = std::vector<int>(kProgramWords);  // by address, from 1; 0 none
  std::vector<int> words = std::vector<int>(kProgramWords, -1);  // by address, from the .hex; -1 none
  // By address: a generated jump (IsGeneratedJump). It only leads elsewhere,
  // so a line step never stops on it but goes on to where it leads.
  std::vector<bool> passThrough = std::vector<bool>(kProgramWords);
  std::vector<int> sleepAddresses;
  std::vector<toolchain::Variable> variables;  // the program's own (no "W#" work bytes)

  // The lowest address of a BASIC line; -1 when it has no instructions.
  int FirstAddress(int basicLineNumber) const;
  // Every address belonging to a BASIC line other than `basicLineNumber`
  // (lines 0 excluded).
  std::vector<int> AddressesOfOtherLines(int basicLineNumber) const;
  int BasicLineAt(int address) const;
  int AsmLineAt(int address) const;
};

// `asmToBasic`: element i is the BASIC line (from 1) of assembly line i+1,
// 0 for none. `listing` and `hexText` are gpasm's NAME.lst and NAME.hex.
// `variables`: the translation's own variable table when the assembly is
// the translation's; null for an assembly edited by hand, whose equates are
// then read from its text.
ProgramMap BuildProgramMap(const std::string& listing, const std::string& hexText, const std::string& assembly,
                           const std::vector<int>& asmToBasic,
                           const std::vector<DeclaredVariable>* variables = nullptr);

}  // namespace velmora::simulator
