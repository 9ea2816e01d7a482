// SPDX-License-Identifier: GPL-3.0-or-later
// Translate, assemble with gpasm, simulate with gpsim, read the chip back.
//
// Every run works in a folder of its own under VELMORA_TEST_TMP (tests run in
// parallel), removed afterwards: the source as "prog.asm", PIC16F84.DEF
// beside it, the gpsim command script and the tools' output.
//
// gpsim runs once per program, from a command script: select the chip, load
// the hex file, drive every port pin as the test asks, stop after the
// requested cycles, then dump the file registers and the data EEPROM; the
// dumps are parsed back into the result.
#include "chip_sim.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <tuple>

#include "asm_writer.h"
#include "translator.h"

#ifndef VELMORA_TEST_TMP
#define VELMORA_TEST_TMP "/tmp/velmora-tests"
#endif

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

// A fresh folder for one run, removed when the run ends.
struct Folder {
  fs::path dir;
  Folder() {
    fs::create_directories(VELMORA_TEST_TMP);
    std::string name = VELMORA_TEST_TMP "/chip-XXXXXX";
    dir = mkdtemp(name.data());
  }
  ~Folder() { std::error_code ec; fs::remove_all(dir, ec); }
};

// Runs `command` inside `dir` with no input, stopped after 120 seconds (a
// run normally takes well under one: this only keeps a broken script from
// hanging a test); its output is appended to *log. True when it exits with 0.
bool RunTool(const fs::path& dir, const std::string& command, std::string* log) {
  const std::string line = "cd '" + dir.string() + "' && timeout 120 " + command + " >tool.log 2>&1 </dev/null";
  const int status = std::system(line.c_str());
  std::ostringstream output;
  output << std::ifstream(dir / "tool.log").rdbuf();
  if (log) *log += "$ " + command + "\n" + output.str();
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes the source and the definitions file into `dir` and assembles them.
bool Assemble(const fs::path& dir, const std::string& source, std::string* log) {
  std::ofstream(dir / "prog.asm", std::ios::binary) << source;
  std::ofstream(dir / "PIC16F84.DEF", std::ios::binary) << TestoDefinizioni() << "\r\n";
  return RunTool(dir, "gpasm -p16f84 prog.asm", log) && fs::exists(dir / "prog.hex");
}

// Every pin of both ports is driven by a stimulus for the whole run, so
// inputs read the levels asked for whatever the PORTB pull-ups (a pin the
// program drives as an output keeps the program's level). A watchdog reset
// (the configuration word below turns it off) would restart the program
// rather than stop the simulation.
std::string GpsimScript(const ChipOptions& options) {
  std::string s = "processor p16f84\nload prog.hex\np16f84.BreakOnReset = false\n";
  for (const auto& [port, pins, levels] : {std::tuple{"porta", 5, options.portAInputs},
                                           std::tuple{"portb", 8, options.portBInputs}}) {
    for (int bit = 0; bit < pins; ++bit) {
      const std::string pin = port + std::to_string(bit), level = std::to_string((levels >> bit) & 1);
      const auto pulse = options.pulses.find(pin);
      const bool pulsed = pulse != options.pulses.end();
      s += "stimulus asynchronous_stimulus\ninitial_state " + (pulsed ? "0" : level) + "\nstart_cycle 0\n{ " +
           (pulsed ? pulse->second : "4000000000, " + level) + " }\nname s_" + pin + "\nend\nnode n_" + pin +
           "\nattach n_" + pin + " s_" + pin + " " + pin + "\n";
    }
  }
  for (const std::string& command : options.gpsimCommands) s += command + "\n";
  return s + "break c " + std::to_string(options.cycles) + "\nrun\ndump\ndump e\nquit\n";
}

// Parses the two dumps in gpsim's output: the file registers (rows 0x00..0xCF)
// and then the EEPROM (rows 0x00..0x30). Each row is "AAAA:" and sixteen
// bytes, "--" for an unimplemented address. False when either is incomplete.
bool ParseDumps(const std::string& output, std::vector<int>& registers, std::vector<int>& eeprom) {
  static const std::regex row(R"(([0-9a-f]{4}):((?: +(?:[0-9a-f]{2}|--)){16}))");
  registers.assign(0x100, -1);
  eeprom.assign(64, -1);
  int rows[2] = {0, 0};
  for (std::sregex_iterator it(output.begin(), output.end(), row), end; it != end; ++it) {
    const size_t base = std::stoul((*it)[1].str(), nullptr, 16);
    const int which = rows[1] > 0 || (base == 0 && rows[0] > 0);  // the second dump starts again at 0
    std::vector<int>& into = which ? eeprom : registers;
    std::istringstream bytes((*it)[2].str());
    std::string b;
    for (size_t address = base; address < into.size() && bytes >> b; ++address)
      into[address] = b == "--" ? -1 : std::stoi(b, nullptr, 16);
    ++rows[which];
  }
  return rows[0] >= 10 && rows[1] >= 4;
}

}  // namespace

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
  // The generated source carries no configuration word: XT oscillator, no
  // watchdog, power-up timer off, no code protection.
  const std::string source = "        __CONFIG 0x3FF9\r\n" + AssemblyFileBytes(t.assembly);
  const Folder folder;
  r.assembled = Assemble(folder.dir, source, &r.log);
  if (!r.assembled) return r;
  std::ofstream(folder.dir / "run.stc") << GpsimScript(options);
  std::string output;
  std::vector<int> registers;
  // gpsim stops a run by itself on some faults (an EEPROM address beyond
  // the chip's 64 bytes, say): the chip is read back, but the run failed.
  const bool dumped = RunTool(folder.dir, "gpsim -i -S disable -c run.stc", &output) &&
                      ParseDumps(output, registers, r.eeprom);
  r.log += output;
  if (!dumped) return r;
  r.ran = output.find("cycle break:") != std::string::npos;
  if (!r.ran) r.log += "\ngpsim stopped before cycle " + std::to_string(options.cycles) + "\n";
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
  return r;
}

bool AssemblesCleanly(const std::string& assembly, std::string* log) {
  const Folder folder;
  return Assemble(folder.dir, assembly, log);
}

}  // namespace velmora::test
