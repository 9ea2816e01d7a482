// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --assemble: the translation assembled with gpasm beside the
// source (or where -o says), gpasm's errors and warnings on BASIC lines.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// Where --assemble writes: the folder and the name (no extension) of
// NAME.asm, NAME.hex, NAME.cod and NAME.lst. `input` is the BASIC file,
// `output` the -o path (empty: beside the input): an existing folder takes
// the input's name, any other path gives its own folder and name (its
// extension dropped).
struct AssembleTarget {
  std::string folder;
  std::string name;
};
AssembleTarget AssembleTargetFor(const std::string& input, const std::string& output);

// Assembles `assemblyText` (the translation's assembly or its annotated
// form; element i of `lineSources` is the BASIC line of its line i+1) at
// `target`. gpasm's errors and warnings go to standard error as
// "INPUT:N: errore|avviso: ..."; `quiet` leaves out the line naming the
// .hex after a success. Exit status: 0 assembled, 1 gpasm found errors in
// the program, 2 gpasm is missing, crashed or hung, or the files cannot be
// written.
int AssembleTranslated(const std::string& input, const AssembleTarget& target, const std::string& assemblyText,
                       const std::vector<int>& lineSources, bool quiet);

}  // namespace velmora
