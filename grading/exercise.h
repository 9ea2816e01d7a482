// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files for grading a class (velmorac --batch --check and the
// "Correzione classe" window): what to simulate and what the chip must
// show, each check with its points.
//
//   # comment lines and blank lines are ignored; ';' or '#' after the
//   # content starts a comment
//   cicli 100000            instruction cycles to run (required, once; at
//                           most kMaxExerciseCycles)
//   pin A0=1                an input line held high (=0: low); repeatable
//   watchdog                the watchdog on (off when absent)
//   tempo 30                seconds of wall time after which a gpsim that
//                           does not answer is stopped and the program is
//                           "non valutato" (a guard only: the grade depends
//                           on the cycles alone)
//   verifica 2 VALORE = 27  2 points when VALORE is 27 at the end of the run
//   ciclo=5000 verifica 1 PORTB = 3
//                           an intermediate check at cycle 5000 (made
//                           before the input changes of that moment)
//   t=10ms A0=1             at 10 ms (4 MHz crystal) A0 goes high: the
//                           timeline lines are those of the stimuli files
//
// A check is `verifica PUNTI NOME OP VALORE`, OP one of = <> < <= > >=,
// VALORE a number in decimal, &H1B, B'00011011' or 0x1B (SLEEP: si, sì or
// no; an array variable: its elements separated by blanks, with = or <>).
// Keywords and names are case-insensitive. The text may start with a
// byte-order mark and have LF or CR LF line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "simulator.h"
#include "stimuli.h"

namespace velmora {

// The longest run an exercise may ask for (100 million instruction cycles:
// 100 s of a 4 MHz chip, a few seconds of gpsim).
inline constexpr std::uint64_t kMaxExerciseCycles = 100'000'000;
// The crystal an exercise's times are counted with (the boards' 4 MHz).
inline constexpr long kExerciseClockHz = 4'000'000;

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

struct ExerciseCheck {
  std::string name;      // upper case: a variable, PORTA, PORTB, TRISA, TRISB, W, CICLI or SLEEP
  CompareOp op = CompareOp::Equal;
  std::string expected;  // the value as written
  std::vector<std::uint64_t> values;  // the value read (SLEEP: 1 si, 0 no)
  int points = 1;
  int line = 0;                 // its line in the exercise file
  std::optional<std::uint64_t> cycle;  // an intermediate check: the cycle it is made at
  // "VALORE = 27 (2)"; an intermediate check "ciclo 5000: PORTB = 3 (1)".
  std::string Title() const;
  // "VALORE = 27" without the points.
  std::string Condition() const;
};

struct Exercise {
  toolchain::SimulationOptions options;
  std::vector<ExerciseCheck> checks;
  // The timeline's input changes, in the order they apply.
  std::vector<toolchain::StimulusChange> changes;
  int TotalPoints() const;
  // The moments of the intermediate checks, in order, without repeats.
  std::vector<std::uint64_t> CheckCycles() const;
};

// Parses an exercise file's text; on a mistake, nothing and `error` as
// "LINE: message" (Italian), or the message alone when it concerns the
// whole file (no cicli line, no checks).
std::optional<Exercise> ParseExercise(const std::string& text, std::string& error);

// The names a check can read besides the program's variables.
bool IsChipName(const std::string& upperName);

// The checks whose name is neither a chip name nor one of `declared`
// (upper-case variable names of the class's programs): they can never pass.
std::vector<ExerciseCheck> ChecksOnUnknownNames(const Exercise& exercise, const std::set<std::string>& declared);

// True when `printed` (the value --simulate prints for the check's name:
// decimal, 0x hex, "si"/"no", or an array's elements; nothing when there is
// no such line) satisfies the check.
bool CheckPasses(const ExerciseCheck& check, const std::optional<std::string>& printed);

}  // namespace velmora
