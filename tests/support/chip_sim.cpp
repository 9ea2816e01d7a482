// Translate, assemble with gpasm, simulate with gpsim, read the chip back.
//
// Every run works in a folder of its own under VELMORA_TEST_TMP (tests run in
// parallel): the source as "prog.asm", PIC16F84.DEF beside it, the gpsim
// command script and the tools' output. The folder is removed afterwards;
// with VELMORA_KEEP_TMP set in the environment a failed run's folder is kept
// and named in `folder` and `log`.
//
// gpsim runs once per program, from a command script: select the chip, load
// the hex file, hold every port pin at the level the test asks for, stop
// after the requested cycles, then dump the file registers and the data
// EEPROM; the dumps are parsed back into the result.
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

fs::path FreshFolder(const std::string& tag) {
  static std::atomic<int> counter{0};
  fs::path dir = fs::path(VELMORA_TEST_TMP) /
                 (tag + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir;
}

// Removes a run's folder, or keeps a failed run's one when VELMORA_KEEP_TMP
// is set and returns its name (empty otherwise).
std::string Done(const fs::path& dir, bool failed, std::string* log) {
  if (failed && std::getenv("VELMORA_KEEP_TMP") != nullptr) {
    if (log) *log += "\n(files kept in " + dir.string() + ")\n";
    return dir.string();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return {};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

// Runs `command` inside `dir` with no input, stopped after 120 seconds (a
// run normally takes well under one, this only keeps a broken script from
// hanging a test); its output goes to `logName` and is appended to *log.
// Returns the exit status (-1 when it did not exit).
int RunTool(const fs::path& dir, const std::string& command, const std::string& logName, std::string* log) {
  std::string quoted = "'";
  for (char c : dir.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  const std::string line = "cd " + quoted + "' && timeout 120 " + command + " >" + logName + " 2>&1 </dev/null";
  const int status = std::system(line.c_str());
  if (log) *log += "$ " + command + "\n" + ReadFile(dir / logName);
  return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

// Writes the source and the definitions file into `dir` and assembles them.
bool Assemble(const fs::path& dir, const std::string& source, std::string* log) {
  WriteFile(dir / "prog.asm", source);
  WriteFile(dir / "PIC16F84.DEF", TestoDefinizioni() + "\r\n");
  return RunTool(dir, "gpasm -p16f84 prog.asm", "gpasm.log", log) == 0 && fs::exists(dir / "prog.hex");
}

// The source the simulated chip runs: unless the source sets its own, a
// configuration word first (XT oscillator, power-up timer off, no code
// protection, the watchdog as asked).
std::string WithConfigWord(const std::string& source, bool watchdog) {
  static const std::regex config(R"((^|\n)[ \t]*__config\b)", std::regex::icase);
  if (std::regex_search(source, config)) return source;
  return std::string("        __CONFIG ") + (watchdog ? "0x3FFD" : "0x3FF9") + "\r\n" + source;
}

// Every pin of both ports is held by a stimulus at its level from
// portAInputs/portBInputs for the whole run, so inputs read those levels
// whatever the PORTB pull-ups (a pin the program drives as an output keeps
// the program's level); a pin named in the test's own gpsim commands is left
// to them. A watchdog reset restarts the program as on the chip instead of
// stopping the simulation.
std::string GpsimScript(const ChipOptions& options) {
  std::string own;
  for (const std::string& command : options.gpsimCommands) own += command + "\n";
  std::string s = "processor p16f84\nload prog.hex\np16f84.BreakOnReset = false\n";
  const auto drive = [&](const std::string& port, int pins, int levels) {
    for (int bit = 0; bit < pins; ++bit) {
      const std::string pin = port + std::to_string(bit), l = std::to_string((levels >> bit) & 1);
      if (own.find(pin) != std::string::npos) continue;
      s += "stimulus asynchronous_stimulus\ninitial_state " + l + "\nstart_cycle 0\n{ 4000000000, " + l +
           " }\nname vs_" + pin + "\nend\nnode vn_" + pin + "\nattach vn_" + pin + " vs_" + pin + " " + pin + "\n";
    }
  };
  drive("porta", 5, options.portAInputs);
  drive("portb", 8, options.portBInputs);
  return s + own + "break c " + std::to_string(options.cycles > 0 ? options.cycles : 1) +
         "\nrun\ndump\ndump e\nquit\n";
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
  std::string line, b;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    const int base = std::stoi(m[1].str(), nullptr, 16);
    inEeprom = inEeprom || (base == 0 && registerRows > 0);
    std::vector<int>& into = inEeprom ? eeprom : registers;
    std::istringstream bytes(m[2].str());
    for (size_t address = static_cast<size_t>(base); address < into.size() && bytes >> b; ++address)
      into[address] = b == "--" ? -1 : std::stoi(b, nullptr, 16);
    ++(inEeprom ? eepromRows : registerRows);
  }
  return registerRows >= 10 && eepromRows >= 4;
}

void Simulate(const std::string& source, const ChipOptions& options, ChipResult& r) {
  const fs::path dir = FreshFolder("chip");
  r.assembled = Assemble(dir, WithConfigWord(source, options.watchdog), &r.log);
  std::string output;
  std::vector<int> registers;
  bool exited = false;
  if (r.assembled) {
    WriteFile(dir / "run.stc", GpsimScript(options));
    exited = RunTool(dir, "gpsim -i -S disable -c run.stc", "gpsim.log", &output) == 0;
    r.log += output;
  }
  // gpsim stops a run by itself on some faults (an EEPROM address beyond
  // the chip's 64 bytes, say): the chip is read back, but the run failed.
  const bool dumped = exited && ParseDumps(output, registers, r.eeprom);
  r.ran = dumped && output.find("cycle break:") != std::string::npos;
  if (dumped && !r.ran)
    r.log += "\ngpsim stopped before cycle " + std::to_string(options.cycles) + " (see its last messages above)\n";
  if (dumped) {
    r.memory.assign(registers.begin(), registers.begin() + 0x50);
    r.portA = registers[0x05];
    r.portB = registers[0x06];
    r.trisA = registers[0x85];
    r.trisB = registers[0x86];
    // Every "NAME EQU value" whose value is a general-purpose RAM address.
    static const std::regex equ(R"((?:^|\n)([^\s;]+)[ \t]+EQU[ \t]+(0[xX][0-9A-Fa-f]+|[0-9]+)\b)", std::regex::icase);
    for (std::sregex_iterator it(source.begin(), source.end(), equ), end; it != end; ++it) {
      const int address = std::stoi((*it)[2].str(), nullptr, 0);
      if (address >= 0x0C && address <= 0x4F) r.ram[(*it)[1].str()] = registers[static_cast<size_t>(address)];
    }
  }
  r.folder = Done(dir, !r.ok(), &r.log);
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
  Done(dir, !ok, log);
  return ok;
}

}  // namespace velmora::test
