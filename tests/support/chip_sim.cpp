// Translate, assemble with gpasm, simulate with gpsim, read the chip back.
//
// Every run works in a folder of its own under VELMORA_TEST_TMP (tests run in
// parallel): the source as "prog.asm", PIC16F84.DEF beside it, the gpsim
// command script and the tools' output. The folder is removed afterwards;
// with VELMORA_KEEP_TMP set in the environment a failed run's folder is kept
// and named in `folder` and `log`.
//
// gpsim runs once per program, from a command script: select the chip, load
// the hex file, hold every port pin at the level the test asks for, stop after the requested cycles, then dump the file registers
// and the data EEPROM; the dumps are parsed back into the result.
#include "chip_sim.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "asm_writer.h"
#include "translator.h"

#ifndef VELMORA_TEST_TMP
#define VELMORA_TEST_TMP "/tmp/velmora-tests"
#endif

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// Seconds a tool may run before it is stopped (a run normally takes well
// under one second; this only keeps a broken script from hanging a test).
constexpr int kToolTimeout = 120;

// Configuration words: XT oscillator, power-up timer off, no code protection.
constexpr const char* kConfigNoWatchdog = "0x3FF9";
constexpr const char* kConfigWatchdog = "0x3FFD";

bool KeepFailedRuns() { return std::getenv("VELMORA_KEEP_TMP") != nullptr; }

fs::path FreshFolder(const std::string& tag) {
  static std::atomic<int> counter{0};
  fs::path dir = fs::path(VELMORA_TEST_TMP) /
                 (tag + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs `command` inside `dir` with no input; its output goes to `logName`
// and is appended to *log. Returns the exit status (-1 when it did not exit).
int RunTool(const fs::path& dir, const std::string& command, const std::string& logName,
            std::string* log) {
  const std::string line = "cd " + ShellQuote(dir.string()) + " && timeout " +
                           std::to_string(kToolTimeout) + " " + command + " >" + logName +
                           " 2>&1 </dev/null";
  const int status = std::system(line.c_str());
  if (log) *log += "$ " + command + "\n" + ReadFile(dir / logName);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Writes the source and the definitions file into `dir` and assembles them.
bool Assemble(const fs::path& dir, const std::string& source, std::string* log) {
  WriteFile(dir / "prog.asm", source);
  WriteFile(dir / "PIC16F84.DEF", TestoDefinizioni() + "\r\n");
  return RunTool(dir, "gpasm -p16f84 prog.asm", "gpasm.log", log) == 0 &&
         fs::exists(dir / "prog.hex");
}

bool HasConfigWord(const std::string& source) {
  static const std::regex config(R"((^|\n)[ \t]*__config\b)", std::regex::icase);
  return std::regex_search(source, config);
}

// The source the simulated chip runs: the configuration word first, unless
// the source sets its own.
std::string WithConfigWord(const std::string& source, bool watchdog) {
  if (HasConfigWord(source)) return source;
  return std::string("        __CONFIG ") + (watchdog ? kConfigWatchdog : kConfigNoWatchdog) +
         "\r\n" + source;
}

// A stimulus holding `pin` (gpsim's name, e.g. "portb3") at `level` for the
// whole run. A pin the program drives as an output keeps the program's level
// (and the open-drain RA4 reads low while the stimulus holds it low).
std::string ConstantStimulus(const std::string& pin, int level) {
  const std::string l = std::to_string(level);
  return "stimulus asynchronous_stimulus\n"
         "initial_state " + l + "\n"
         "start_cycle 0\n"
         "{ 4000000000, " + l + " }\n"
         "name vs_" + pin + "\n"
         "end\n"
         "node vn_" + pin + "\n"
         "attach vn_" + pin + " vs_" + pin + " " + pin + "\n";
}

// Every pin of both ports is held at its level from portAInputs/portBInputs,
// so inputs read those levels whatever the PORTB pull-ups; a pin named in the
// test's own gpsim commands is left to them.
std::string GpsimScript(const ChipOptions& options) {
  std::string own;
  for (const std::string& command : options.gpsimCommands) own += command + "\n";
  // A watchdog reset restarts the program as on the chip instead of
  // stopping the simulation.
  std::string s = "processor p16f84\nload prog.hex\np16f84.BreakOnReset = false\n";
  const auto drive = [&](const std::string& port, int pins, int levels) {
    for (int bit = 0; bit < pins; ++bit) {
      const std::string pin = port + std::to_string(bit);
      if (own.find(pin) != std::string::npos) continue;
      s += ConstantStimulus(pin, (levels >> bit) & 1);
    }
  };
  drive("porta", 5, options.portAInputs);
  drive("portb", 8, options.portBInputs);
  s += own;
  s += "break c " + std::to_string(options.cycles > 0 ? options.cycles : 1) + "\n";
  s += "run\ndump\ndump e\nquit\n";
  return s;
}

// Parses the two dumps in gpsim's output: the file registers (rows 0x00..0xCF)
// and then the EEPROM (rows 0x00..0x30). Each row is "AAAA:" and sixteen
// bytes, "--" for an unimplemented address. Returns false when either dump
// is incomplete.
bool ParseDumps(const std::string& output, std::vector<int>& registers, std::vector<int>& eeprom) {
  static const std::regex row(R"(([0-9a-f]{4}):((?: +(?:[0-9a-f]{2}|--)){16}))");
  registers.assign(0x100, -1);
  eeprom.assign(64, -1);
  bool inEeprom = false;
  int registerRows = 0, eepromRows = 0;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    const int base = std::stoi(m[1].str(), nullptr, 16);
    if (base == 0 && registerRows > 0) inEeprom = true;
    std::istringstream bytes(m[2].str());
    std::string b;
    for (int k = 0; k < 16 && bytes >> b; ++k) {
      const int value = b == "--" ? -1 : std::stoi(b, nullptr, 16);
      const int address = base + k;
      if (inEeprom) {
        if (address < 64) eeprom[static_cast<size_t>(address)] = value;
      } else if (address < 0x100) {
        registers[static_cast<size_t>(address)] = value;
      }
    }
    (inEeprom ? eepromRows : registerRows)++;
  }
  return registerRows >= 10 && eepromRows >= 4;
}

// Every "NAME EQU value" of the source whose value is a general-purpose RAM
// address of the chip (0x0C..0x4F), in order of appearance.
std::vector<std::pair<std::string, int>> RamEquates(const std::string& source) {
  static const std::regex equ(R"(^([^\s;]+)\s+EQU\s+(0[xX][0-9A-Fa-f]+|[0-9]+)\b)",
                              std::regex::icase);
  std::vector<std::pair<std::string, int>> result;
  std::istringstream lines(source);
  std::string line;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, equ)) continue;
    const std::string v = m[2].str();
    const int address = v.size() > 2 && (v[1] == 'x' || v[1] == 'X')
                            ? std::stoi(v.substr(2), nullptr, 16)
                            : std::stoi(v);
    if (address >= 0x0C && address <= 0x4F) result.emplace_back(m[1].str(), address);
  }
  return result;
}

void Simulate(const std::string& source, const ChipOptions& options, ChipResult& r) {
  const fs::path dir = FreshFolder("chip");
  r.assembled = Assemble(dir, WithConfigWord(source, options.watchdog), &r.log);
  if (r.assembled) {
    WriteFile(dir / "run.stc", GpsimScript(options));
    std::string output;
    const int status = RunTool(dir, "gpsim -i -S disable -c run.stc", "gpsim.log", &output);
    r.log += output;
    std::vector<int> registers;
    const bool dumped = status == 0 && ParseDumps(output, registers, r.eeprom);
    // gpsim stops a run by itself on some faults (an EEPROM address beyond
    // the chip's 64 bytes, say): the chip is read back, but the run failed.
    r.ran = dumped && output.find("cycle break:") != std::string::npos;
    if (dumped && !r.ran)
      r.log += "\ngpsim stopped before cycle " + std::to_string(options.cycles) +
               " (see its last messages above)\n";
    if (dumped) {
      r.memory.assign(registers.begin(), registers.begin() + 0x50);
      r.portA = registers[0x05];
      r.portB = registers[0x06];
      r.trisA = registers[0x85];
      r.trisB = registers[0x86];
      for (const auto& [name, address] : RamEquates(source))
        r.ram[name] = registers[static_cast<size_t>(address)];
    }
  }
  if (!r.ok() && KeepFailedRuns()) {
    r.folder = dir.string();
    r.log += "\n(files kept in " + r.folder + ")\n";
    return;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace

int ChipResult::Var(const std::string& name) const {
  const auto it = ram.find(name);
  return it == ram.end() ? -1 : it->second;
}

ChipResult RunAssemblyOnChip(const std::string& assembly, const ChipOptions& options) {
  ChipResult r;
  r.translated = true;
  r.assembly = assembly;
  Simulate(assembly, options, r);
  return r;
}

ChipResult RunOnChip(const std::string& basic, const ChipOptions& options) {
  ChipResult r;
  auto st = std::make_unique<CompileState>();
  const TranslationResult t = TranslateText(*st, basic, TranslateOptions{});
  r.assembly = t.assembly;
  r.translated = t.ok && !t.assembly.empty();
  if (!r.translated) {
    r.log = "translation failed:\n" + t.assembly;
    return r;
  }
  Simulate(AssemblyFileBytes(t.assembly), options, r);
  return r;
}

bool AssemblesCleanly(const std::string& assembly, std::string* log) {
  const fs::path dir = FreshFolder("asm");
  const bool ok = Assemble(dir, assembly, log);
  if (!ok && KeepFailedRuns()) {
    if (log) *log += "\n(files kept in " + dir.string() + ")\n";
    return ok;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return ok;
}

}  // namespace velmora::test
