// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --batch: translate (and check) a class's programs at once.
#pragma once

namespace velmora {

// True when the command line asks for a batch (it holds --batch).
bool IsBatchCommand(int argc, char** argv);

// Runs `velmorac --batch [--jobs N] [--csv OUT.csv] [--check EXERCISE]
// [--write] PATH...`. Exit status: 0 every program translated, 1 some
// program has an error or could not be read, 2 the command could not be
// carried out (wrong options, an exercise file with a mistake, a CSV that
// cannot be written).
int BatchCommand(int argc, char** argv);

}  // namespace velmora
