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
//
// --stimoli changes input lines during the run (a stimuli file, times at the
// boards' 4 MHz crystal); --vcd writes every change of the 13 lines as a
// value change dump. Both are done inside gpsim by Velmora's module.
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
constexpr int kToolError = 2;

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

// Variable names compare without regard to case.
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
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
    } else if (arg == "--bus") {
      if (i + 1 >= argc) return UsageError("l'opzione --bus richiede il nome di una variabile");
      a.buses.push_back(argv[++i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("opzione sconosciuta con --simulate: " + arg);
    } else {
      a.files.push_back(arg);
    }
  }
  if (a.files.size() != 1) return UsageError("--simulate richiede un solo file Basic");
  if (!a.buses.empty() && !a.vcd) return UsageError("l'opzione --bus richiede --vcd");
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

AssemblyRun RunAssembly(const std::string& assembly, const tc::SimulationOptions& options) {
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
  const tc::SimulationResult r = tc::Simulate(assembled.codPath, options);
  run.timedOut = r.timedOut;
  if (!r.ok) {
    run.error = r.error;
    return run;
  }
  run.ok = true;
  run.lines = ReadChip(assembly, r.chip);
  run.trace = r.trace;
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
  for (const std::string& name : a.buses) {
    const velmora::DeclaredVariable* found = nullptr;
    for (const auto& v : t.variables)
      if (!v.work && v.size == 1 && SameName(v.name, name)) found = &v;
    if (!found) return Fail("--bus " + name + ": nel programma non c'è una variabile di un byte con questo nome");
    sim.buses.emplace_back(found->name, found->address);
  }
  if (sim.record || !sim.stimuli.empty()) sim.modulePath = tc::VelmoraModulePath();
  const AssemblyRun run = RunAssembly(t.assembly, sim);
  if (!run.ok) return Fail(run.error);
  if (a.vcd) {
    std::string error;
    if (!tc::WriteVcdFile(*a.vcd, run.trace, kBoardClockHz, error)) return Fail(error);
  }
  std::string out;
  for (const auto& [name, value] : run.lines) out += name + " = " + value + "\n";
  std::fputs(out.c_str(), stdout);
  return kRan;
}

}  // namespace velmora
