// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --simulate CYCLES [--pin A0=1 ...] [--watchdog] [--stimoli FILE]
//          [--vcd OUT.vcd] [--] FILE.bas
//
// The program is translated as by the Translate button, its assembly source
// and PIC16F84.DEF are written into a temporary folder (removed afterwards)
// and assembled with gpasm, and the .cod runs on gpsim for CYCLES instruction
// cycles or until SLEEP. Standard output then gets one line each:
//
//   NAME = VALUE     every declared variable, in RAM order, in decimal
//                    (multi-byte: little-endian; array: elements separated
//                    by spaces)
//   PORTA = 0x..  PORTB = 0x..  TRISA = 0x..  TRISB = 0x..  W = 0x..
//   CICLI = N        gpsim's cycle counter when the run stopped
//   SLEEP = sì|no    whether the run stopped at a SLEEP instruction
//   FERMATA = WORD   only when gpsim stopped the program by itself (an EEPROM
//                    address past 63, a register the chip does not have, the
//                    stack): then standard error gets "FILE.bas:N: errore:
//                    explanation (gpsim: its words)" and the exit status is 1
//
// --stimoli changes input lines during the run (a stimuli file, times at the
// boards' 4 MHz crystal); --vcd writes every change of the 13 lines as a
// value change dump. Both are done inside gpsim by Velmora's module.
//
// gpsim lines Velmora does not know go to standard error as "FILE.bas:
// avviso: ..." and change nothing else.
#include "simulate_command.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "class_grading.h"
#include "italian_text.h"
#include "program_run.h"
#include "simulator.h"
#include "stimuli.h"
#include "translator.h"
#include "vcd_writer.h"

namespace velmora {
namespace {

namespace tc = velmora::toolchain;

constexpr int kRan = 0;
constexpr int kTranslationError = 1;
constexpr int kChipStopped = 1;
constexpr int kToolError = 2;
// gpsim's unknown lines shown at most, then a count of the rest.
constexpr size_t kNotesShown = 10;

struct SimulateArguments {
  std::uint64_t cycles = 0;
  std::vector<std::pair<tc::Pin, bool>> pins;
  bool watchdog = false;
  std::optional<std::string> stimuli;  // the stimuli file
  std::optional<std::string> vcd;      // where the dump goes
  std::vector<std::string> buses;      // byte variables dumped as buses
  std::vector<std::string> files;
};

// The crystal of the boards: times in a stimuli file and in the dump.
constexpr long kBoardClockHz = 4000000;

int Fail(const std::string& message) {
  std::fprintf(stderr, "velmorac: %s\n", message.c_str());
  return kToolError;
}

int UsageError(const std::string& message) {
  Fail(message);
  std::fprintf(stderr,
               "Uso: velmorac --simulate CICLI [--pin A0=1 ...] [--watchdog] [--stimoli FILE] [--vcd FILE.vcd] "
               "[--bus NOME ...] FILE.bas\n");
  return kToolError;
}

// The console form of a pane text: LF line ends and a final line end.
std::string ForConsole(const std::string& crlfText) {
  std::string out;
  for (size_t i = 0; i < crlfText.size(); ++i)
    if (!(crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n')) out += crlfText[i];
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

// Variable names compare without regard to case.
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// Returns an exit status when the command line is wrong.
std::optional<int> ParseArguments(int argc, char** argv, SimulateArguments& a) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded) {
      a.files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--simulate") {
      if (i + 1 >= argc) return UsageError("l'opzione --simulate richiede il numero di cicli");
      const std::string n = argv[++i];
      char* end = nullptr;
      errno = 0;
      const unsigned long long value = std::strtoull(n.c_str(), &end, 10);
      if (n.empty() || n[0] == '-' || *end != '\0' || errno != 0 || value == 0 || value > 1000000000000ULL)
        return UsageError("numero di cicli non valido: " + n + " (da 1 a 1000000000000)");
      a.cycles = value;
    } else if (arg == "--pin") {
      if (i + 1 >= argc) return UsageError("l'opzione --pin richiede LINEA=LIVELLO, per esempio A0=1");
      const std::string pinArg = argv[++i];
      const auto eq = pinArg.find('=');
      const auto pin = eq == std::string::npos ? std::nullopt : tc::ParsePin(pinArg.substr(0, eq));
      const std::string level = eq == std::string::npos ? "" : pinArg.substr(eq + 1);
      const auto high = italian::ParseLevel(level);
      if (!pin || !high)
        return UsageError("linea non valida: " + pinArg + " (da A0 ad A4 o da B0 a B7, seguito da =0 o =1)");
      a.pins.emplace_back(*pin, *high);
    } else if (arg == "--watchdog") {
      a.watchdog = true;
    } else if (arg == "--stimoli" || arg == "--vcd") {
      if (i + 1 >= argc) return UsageError("l'opzione " + arg + " richiede il nome di un file");
      (arg == "--vcd" ? a.vcd : a.stimuli) = argv[++i];
    } else if (arg == "--bus") {
      if (i + 1 >= argc) return UsageError("l'opzione --bus richiede il nome di una variabile");
      a.buses.push_back(argv[++i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("opzione sconosciuta con --simulate: " + arg +
                        " (per un file il cui nome inizia con '-' scrivere -- prima del file)");
    } else {
      a.files.push_back(arg);
    }
  }
  if (a.files.size() != 1) return UsageError("--simulate richiede un solo file Basic");
  if (!a.buses.empty() && !a.vcd) return UsageError("l'opzione --bus richiede --vcd");
  return std::nullopt;
}

}  // namespace

bool IsSimulateCommand(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (std::strcmp(argv[i], "--simulate") == 0) return true;
  return false;
}

int SimulateCommand(int argc, char** argv) {
  SimulateArguments a;
  if (const auto status = ParseArguments(argc, argv, a)) return *status;
  const std::string input = a.files[0];
  std::string readError;
  bool unreadable = false;
  const auto read = ReadProgramFile(input, kMaxSourceBytes, readError, unreadable);
  if (!read && unreadable) return Fail(input + ": " + readError);
  if (!read) {  // too large to be a program
    std::fprintf(stderr, "%s: errore: %s\n", input.c_str(), readError.c_str());
    return kTranslationError;
  }
  const std::string& source = *read;

  TranslateOptions options;
  options.programPath = input;
  Translator translator;
  const TranslationResult t = translator.Translate(source, options);
  if (!t.ok) {
    std::fputs(ForConsole(t.assembly).c_str(), stderr);
    return kTranslationError;
  }

  tc::SimulationOptions sim;
  sim.cycles = a.cycles;
  sim.pins = a.pins;
  sim.watchdog = a.watchdog;
  sim.timeLimit = SimulationGuard(a.cycles);
  if (a.stimuli) {
    // A wrong stimuli file stops the command: a run without the changes
    // asked for would print a plausible but wrong state.
    const tc::Stimuli stimuli = tc::ReadStimuliFile(*a.stimuli);
    if (!stimuli.ok()) return Fail(stimuli.error->Text());
    sim.stimuli = tc::StimulusTimeline(stimuli.lines, kBoardClockHz);
  }
  sim.record = a.vcd.has_value();
  for (const std::string& name : a.buses) {
    const velmora::DeclaredVariable* found = nullptr;
    for (const auto& v : t.variables)
      if (!v.work && v.size == 1 && SameName(v.name, name)) found = &v;
    if (!found) return Fail("--bus " + name + ": nel programma non c'è una variabile di un byte con questo nome");
    sim.buses.emplace_back(found->name, found->address);
  }
  const AssemblyRun run = RunAssembly(t.assembly, ChipVariables(t.variables), sim, {}, {}, t.assemblyLineSources);
  if (!run.ok && !run.assemblerErrors.empty()) {
    // The program's own fault, as with --assemble: on its Basic lines, exit 1.
    std::string err;
    for (const tc::AssemblerDiagnostic& d : run.assemblerErrors) err += tc::FormatDiagnostic(input, d) + "\n";
    std::fputs(err.c_str(), stderr);
    return kTranslationError;
  }
  if (!run.ok) return Fail(run.error);
  if (a.vcd) {
    std::string error;
    if (!tc::WriteVcdFile(*a.vcd, run.trace, kBoardClockHz, error)) return Fail(error);
  }
  std::string out;
  for (const auto& [name, value] : run.lines) out += name + " = " + value + "\n";
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
  std::string err;
  for (size_t i = 0; i < run.notes.size() && i < kNotesShown; ++i)
    err += input + ": avviso: riga di gpsim non riconosciuta: " + run.notes[i] + "\n";
  if (const size_t more = run.notes.size() > kNotesShown ? run.notes.size() - kNotesShown : 0; more > 0)
    err += input + ": avviso: " +
           (more == 1 ? std::string("un'altra riga") : "altre " + std::to_string(more) + " righe") +
           " di gpsim non riconosciut" + (more == 1 ? "a" : "e") + "\n";
  if (run.stop) {
    err += input + (run.stop->line > 0 ? ":" + std::to_string(run.stop->line) : std::string()) +
           ": errore: " + run.stop->explanation +
           (run.stop->original.empty() ? std::string() : " (gpsim: " + run.stop->original + ")") + "\n";
  }
  std::fputs(err.c_str(), stderr);
  return run.stop ? kChipStopped : kRan;
}

}  // namespace velmora
