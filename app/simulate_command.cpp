// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --simulate CYCLES [--pin A0=1 ...] [--watchdog] [--stimoli FILE]
//          [--vcd OUT.vcd] FILE.bas
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

#include "assembler.h"
#include "italian_text.h"
#include "simulator.h"
#include "stimuli.h"
#include "translator.h"
#include "vcd_writer.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
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
               "FILE.bas\n");
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

bool ReadSource(const std::string& path, std::string& bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return true;
}

std::string Hex2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value < 0 ? 0 : value);
  return text;
}

// Returns an exit status when the command line is wrong.
std::optional<int> ParseArguments(int argc, char** argv, SimulateArguments& a) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--simulate") {
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
      const auto high = velmora::italian::ParseLevel(level);
      if (!pin || !high)
        return UsageError("linea non valida: " + pinArg + " (da A0 ad A4 o da B0 a B7, seguito da =0 o =1)");
      a.pins.emplace_back(*pin, *high);
    } else if (arg == "--watchdog") {
      a.watchdog = true;
    } else if (arg == "--stimoli" || arg == "--vcd") {
      if (i + 1 >= argc) return UsageError("l'opzione " + arg + " richiede il nome di un file");
      (arg == "--vcd" ? a.vcd : a.stimuli) = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("opzione sconosciuta con --simulate: " + arg);
    } else {
      a.files.push_back(arg);
    }
  }
  if (a.files.size() != 1) return UsageError("--simulate richiede un solo file Basic");
  return std::nullopt;
}

// A fresh folder for the run's files, removed when the run ends.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "velmorac-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

std::string ReadText(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

ChipLines ReadChip(const std::string& assembly, const tc::ChipState& chip) {
  ChipLines lines;
  for (const tc::Variable& v : tc::ReadEquates(assembly)) {
    if (v.name.rfind("W#", 0) == 0) continue;  // the translator's own work bytes
    lines.emplace_back(v.name, tc::VariableValue(v, chip.registers));
  }
  lines.emplace_back("PORTA", Hex2(chip.PortA()));
  lines.emplace_back("PORTB", Hex2(chip.PortB()));
  lines.emplace_back("TRISA", Hex2(chip.TrisA()));
  lines.emplace_back("TRISB", Hex2(chip.TrisB()));
  lines.emplace_back("W", Hex2(chip.w));
  lines.emplace_back("CICLI", std::to_string(chip.cycles));
  lines.emplace_back("SLEEP", velmora::italian::YesNo(chip.sleep));
  return lines;
}

}  // namespace

std::chrono::milliseconds SimulationTimeLimit(std::uint64_t cycles) {
  return std::chrono::milliseconds(10000 + cycles / 1000);
}

AssemblyRun RunAssembly(const std::string& assembly, const tc::SimulationOptions& options,
                        const std::vector<int>& asmToBasic) {
  AssemblyRun run;
  TempFolder folder;
  if (folder.path.empty()) {
    run.error = std::string("impossibile creare una cartella temporanea: ") + velmora::italian::SystemError(errno);
    return run;
  }
  const tc::AssembleResult assembled = tc::Assemble(folder.path.string(), "programma", AssemblyFileBytes(assembly));
  if (!assembled.ok) {
    run.error = assembled.error;
    for (const tc::AssemblerLine& line : assembled.lines)
      if (line.kind == tc::AssemblerLine::Kind::Error) run.error += "\n" + line.text;
    return run;
  }
  tc::SimulationOptions withModule = options;
  if (withModule.modulePath.empty()) withModule.modulePath = tc::VelmoraModulePath();
  const tc::SimulationResult r = tc::Simulate(assembled.codPath, withModule);
  run.timedOut = r.timedOut;
  if (!r.ok) {
    run.error = r.error;
    return run;
  }
  run.ok = true;
  run.lines = ReadChip(assembly, r.chip);
  run.trace = r.trace;
  run.notes = r.stop.notes;
  if (r.stop.IsFault()) {
    fs::path listing(assembled.codPath);
    listing.replace_extension(".lst");
    const tc::StopPlace place =
        tc::PlaceOfStop(r.stop.pc, r.chip.returnAddress, tc::BasicLinesByAddress(ReadText(listing), asmToBasic));
    run.stop = ChipStop{tc::StopWord(r.stop.kind), tc::StopExplanation(r.stop), r.stop.original, place.line};
    run.lines.emplace_back("FERMATA", run.stop->word);
  }
  return run;
}

bool IsSimulateCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--simulate") == 0) return true;
  return false;
}

int SimulateCommand(int argc, char** argv) {
  SimulateArguments a;
  if (const auto status = ParseArguments(argc, argv, a)) return *status;
  const std::string input = a.files[0];
  std::string source;
  if (!ReadSource(input, source)) return Fail("impossibile leggere " + input + ": " + velmora::italian::SystemError(errno));

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
  sim.timeLimit = SimulationTimeLimit(a.cycles);
  if (a.stimuli) {
    // A wrong stimuli file stops the command: a run without the changes
    // asked for would print a plausible but wrong state.
    const tc::Stimuli stimuli = tc::ReadStimuliFile(*a.stimuli);
    if (!stimuli.ok()) return Fail(stimuli.error->Text());
    sim.stimuli = tc::StimulusTimeline(stimuli.lines, kBoardClockHz);
  }
  sim.record = a.vcd.has_value();
  const AssemblyRun run = RunAssembly(t.assembly, sim, t.assemblyLineSources);
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
