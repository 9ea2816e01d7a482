// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --batch: translate (and check) a class's programs at once.
#pragma once

namespace velmora {

// True when the command line asks for a batch (it holds --batch before any "--").
bool IsBatchCommand(int argc, char** argv);

// Runs `velmorac --batch [--jobs N] [--csv OUT.csv] [--check EXERCISE]
// [--write] [--summary FILE.txt] [--] PATH...`. Exit status: 0 every program
// translated (and, with --check, run), 1 some program has an error, could not
// be read, could not be written, is missing from a student's folder, or was
// not graded, 2 the command could not be carried out (wrong options, an
// exercise file with a mistake, gpasm or gpsim missing, an output that
// cannot be written).
int BatchCommand(int argc, char** argv);

}  // namespace velmora
