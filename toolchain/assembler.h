// SPDX-License-Identifier: GPL-3.0-or-later
// Assembling a generated source with gpasm.
//
// The source is written as NAME.asm with PIC16F84.DEF beside it (the source
// includes it) and assembled for the PIC16F84 in that folder, giving
// NAME.hex for a programmer and NAME.cod for the simulator. gpasm's own
// lines (errors, warnings, messages) are handed back for the message box.
// After a failure neither the .hex nor the .cod exists; the .asm and gpasm's
// listing (NAME.lst) stay, to be looked at.
//
// A program longer than the chip's 1024 words of program memory is an
// error here, although gpasm only warns about it (Warning[220]): the chip
// could not hold it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace velmora::toolchain {

struct AssemblerLine {
  enum class Kind { Error, Warning, Message, Other };
  Kind kind = Kind::Other;
  std::string text;  // the line as gpasm printed it
};

struct AssembleResult {
  bool ok = false;              // gpasm ran and wrote the .hex without errors
  bool toolMissing = false;     // gpasm is not installed (`error` says which package)
  // gpasm could not do its work: not installed, could not be started,
  // ended by a signal, stopped at the time limit, or failed without saying
  // why. Not set for errors in the assembly.
  bool toolFailed = false;
  std::string error;            // why it failed, in Italian (empty when ok)
  std::string asmPath, hexPath, codPath;
  std::vector<AssemblerLine> lines;  // gpasm's output, one entry per line
  int errors = 0, warnings = 0;
};

// Classifies gpasm's output ("prog.asm:5:Error[113] ...", "...:Warning[...]",
// "...:Message[302] ..."); Warning[220], an address beyond program memory,
// counts as an error.
std::vector<AssemblerLine> ParseAssemblerOutput(const std::string& output);

// Writes `assemblyBytes` as `folder`/`name`.asm and PIC16F84.DEF beside it,
// then assembles it. `name` has no extension.
AssembleResult Assemble(const std::string& folder, const std::string& name, const std::string& assemblyBytes,
                        std::chrono::milliseconds limit = std::chrono::seconds(60));

// The same beside a BASIC file: FILE.bas gives FILE.asm, FILE.hex, FILE.cod
// and PIC16F84.DEF in the BASIC file's folder.
AssembleResult AssembleBeside(const std::string& basicPath, const std::string& assemblyBytes,
                              std::chrono::milliseconds limit = std::chrono::seconds(60));

// The Italian summary for the message box: "Assemblaggio riuscito: PATH.hex"
// (with the warning count when there are warnings), or the failure.
std::string AssembleSummary(const AssembleResult& result);

}  // namespace velmora::toolchain
