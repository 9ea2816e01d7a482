// SPDX-License-Identifier: GPL-3.0-or-later
// Grading a class: every program of some files and folders translated (and,
// with an exercise, assembled, run on gpsim and scored), in parallel, the
// results in input order. The same library serves velmorac --batch and the
// "Correzione classe" window, so a grade never depends on which one made it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "exercise.h"
#include "program_run.h"
#include "translator.h"

namespace velmora {

enum class Outcome {
  Ok,          // translated
  Error,       // a translation error, a refused source, or an output that could not be written
  Unreadable,  // the file cannot be read (missing, not a regular file, no permission)
  NoProgram,   // a student's folder without any .bas file
};

enum class SimulationOutcome {
  NotRun,     // no exercise, or the program did not translate
  Ran,        // the run ended at its cycle count (or at SLEEP): the checks are scored
  Failed,     // the program could not run (gpasm refused it, gpsim reported an error): 0 points
  NotGraded,  // the tools failed, not the program (gpsim hung past the guard): no score at all
};

struct CheckResult {
  int points = 0;
  std::optional<std::string> found;  // the value read, as --simulate prints it
};

struct ProgramGrade {
  std::string path;  // as found (command line, or folder and name)
  Outcome outcome = Outcome::Unreadable;
  std::string message;    // the error's message, or why the file is unreadable
  std::string statement;  // the statement the error names, when there is one
  int line = 0;           // the BASIC line of the error (0: none)
  std::vector<SourceMessage> warnings;
  bool translated = false;  // the figures below are known
  int words = 0, ram = 0, variables = 0, stack = 0;
  std::vector<std::string> declared;  // the program's variable names, upper case
  SimulationOutcome simulation = SimulationOutcome::NotRun;
  std::string simulationError;  // Failed / NotGraded: why
  // Ran, but gpsim stopped the program by itself: "explanation (riga N)";
  // the checks are then scored on the chip as it was at the stop.
  std::string simulationStop;
  std::vector<CheckResult> checks;
  int score = 0;
  bool done = false;  // false for programs a cancelled grading did not reach
};

struct GradingOptions {
  unsigned jobs = 0;  // 0: one per core
  const Exercise* exercise = nullptr;
  // Beside each program: FILE.asm (translated programs) and FILE.esito.txt.
  bool write = false;
  // Called from the workers after each program (done, total); may be empty.
  std::function<void(size_t, size_t)> progress;
  // Set from another thread to stop after the programs in progress.
  const std::atomic<bool>* cancel = nullptr;
};

struct ClassGrading {
  std::vector<ProgramGrade> programs;
  bool cancelled = false;
  // Names checked by the exercise that no program declares and the chip
  // does not have: such a check can never pass.
  std::vector<ExerciseCheck> unknownNames;
};

// The programs named by `paths`: a file as given (whatever its extension), a
// folder's .bas files at any depth in name order; the same file named twice
// counts once. A subfolder (a student's) of a named folder without any .bas
// file gives a NoProgram row, listing what it holds.
std::vector<ProgramGrade> CollectPrograms(const std::vector<std::string>& paths);

// Empty when the tools a grading needs are installed; otherwise the Italian
// message naming the package to install. Translating alone needs none.
std::string MissingTools(const GradingOptions& options);

// Reads a program file: only a regular file, at most `limit` bytes read
// (a larger one is refused with the translator's message), without ever
// blocking on a FIFO or a device. Nothing, with `error` (Italian) and
// `unreadable` (false: the file was read but refused as a program), when it
// is not a program text.
std::optional<std::string> ReadProgramFile(const std::string& path, size_t limit, std::string& error,
                                           bool& unreadable);

// Grades the programs of `paths` as CollectPrograms finds them.
ClassGrading GradeClass(const std::vector<std::string>& paths, const GradingOptions& options);

// The word for a row's outcome: "ok", "errore", "illeggibile", "mancante".
const char* OutcomeName(Outcome outcome);

// The simulation column: "ok", "fermata: ... (riga N)", "errore: ...",
// "non valutato: ...", or empty.
std::string SimulationText(const ProgramGrade& grade);

// FILE.bas -> FILE.asm and FILE.esito.txt (the extension replaced).
std::string AssemblyPathFor(const std::string& programPath);
std::string FeedbackPathFor(const std::string& programPath);

}  // namespace velmora
