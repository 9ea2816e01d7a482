// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files for velmorac --batch --check: what to simulate and what
// the chip must show at the end, each check with its points.
//
//   # comment lines and blank lines are ignored
//   cicli 100000            instruction cycles to run (required, once)
//   pin A0=1                an input line held high (=0: low; =sì or =si and
//                           =no also read); repeatable
//   watchdog                the watchdog on (off when absent)
//   tempo 5                 seconds a program may run on gpsim before it is
//                           stopped and marked (default 10 s plus 1 ms per
//                           thousand cycles)
//   verifica 2 VALORE = 27  2 points when --simulate would print VALORE = 27
//
// Keywords are case-insensitive. A check passes when the printed value
// equals the expected one: as numbers when both are numbers (decimal or
// 0x hex, so PORTB = 27 and PORTB = 0x1B agree), otherwise as texts without
// regard to case, and a yes/no with or without the accent (SLEEP = sì
// and SLEEP = si agree).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simulate_command.h"
#include "simulator.h"

namespace velmora {

struct ExerciseCheck {
  std::string name;      // a variable, PORTA, PORTB, TRISA, TRISB, W, CICLI or SLEEP
  std::string expected;  // as written
  int points = 1;
  std::string Title() const { return name + " = " + expected + " (" + std::to_string(points) + ")"; }
};

struct Exercise {
  toolchain::SimulationOptions options;
  std::vector<ExerciseCheck> checks;
  int TotalPoints() const;
};

// Parses an exercise file's text; on a mistake, nothing and `error` as
// "LINE: message" (Italian), or the message alone when it concerns the
// whole file (no cicli line, no checks).
std::optional<Exercise> ParseExercise(const std::string& text, std::string& error);

// True when `printed` (the value --simulate printed for the check's name;
// nothing when it printed no such line) satisfies the check.
bool CheckPasses(const ExerciseCheck& check, const std::optional<std::string>& printed);

}  // namespace velmora
