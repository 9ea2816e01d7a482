// Assembling and running one program for --simulate and the class grading.
#include "program_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "assembler.h"
#include "translator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
namespace tc = velmora::toolchain;

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

std::string Hex2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value < 0 ? 0 : value);
  return text;
}

}  // namespace

std::vector<tc::Variable> ChipVariables(const std::vector<DeclaredVariable>& variables) {
  std::vector<tc::Variable> chip;
  for (const DeclaredVariable& d : variables) {
    tc::Variable v;
    v.name = d.name;
    v.address = d.address;
    v.type = d.type;
    v.size = d.size;
    v.elementSize = d.type == "BYTE"                      ? 1
                    : d.type == "INTEGER" || d.type == "WORD" ? 2
                    : d.type == "SINGLE" || d.type == "FLOAT" ? 4
                    : d.type == "LONG"                        ? 8
                                                              : d.size;
    if (v.elementSize <= 0 || v.size % v.elementSize != 0) v.elementSize = v.size;
    chip.push_back(v);
  }
  return chip;
}

ChipLines ReadChip(const std::vector<tc::Variable>& variables, const tc::ChipState& chip) {
  ChipLines lines;
  for (const tc::Variable& v : variables) {
    if (v.name.rfind("W#", 0) == 0) continue;  // the translator's own work bytes
    if (v.size <= 0) continue;
    lines.emplace_back(v.name, tc::VariableValue(v, chip.registers));
  }
  lines.emplace_back("PORTA", Hex2(chip.PortA()));
  lines.emplace_back("PORTB", Hex2(chip.PortB()));
  lines.emplace_back("TRISA", Hex2(chip.TrisA()));
  lines.emplace_back("TRISB", Hex2(chip.TrisB()));
  lines.emplace_back("W", Hex2(chip.w));
  lines.emplace_back("CICLI", std::to_string(chip.cycles));
  lines.emplace_back("SLEEP", chip.sleep ? "si" : "no");
  return lines;
}

std::chrono::milliseconds SimulationGuard(std::uint64_t cycles) {
  return std::chrono::milliseconds(10000 + cycles / 1000);
}

AssemblyRun RunAssembly(const std::string& assembly, const std::vector<tc::Variable>& variables,
                        const tc::SimulationOptions& options, const std::vector<std::uint64_t>& moments) {
  AssemblyRun run;
  TempFolder folder;
  if (folder.path.empty()) {
    run.error = std::string("impossibile creare una cartella temporanea: ") + std::strerror(errno);
    return run;
  }
  const tc::AssembleResult assembled = tc::Assemble(folder.path.string(), "programma", AssemblyFileBytes(assembly));
  if (!assembled.ok) {
    run.toolMissing = assembled.toolMissing;
    run.error = assembled.error;
    for (const tc::AssemblerLine& line : assembled.lines)
      if (line.kind == tc::AssemblerLine::Kind::Error) run.error += "\n" + line.text;
    return run;
  }
  // gpsim runs the same program the same way each time, so the chip at an
  // intermediate moment is the end of a run that stops there.
  const auto simulate = [&](std::uint64_t cycles, ChipLines& lines) {
    tc::SimulationOptions o = options;
    o.cycles = cycles;
    const tc::SimulationResult r = tc::Simulate(assembled.codPath, o);
    run.timedOut = r.timedOut;
    run.toolMissing = r.toolMissing;
    if (!r.ok) {
      run.error = r.error;
      return false;
    }
    lines = ReadChip(variables, r.chip);
    return true;
  };
  for (const std::uint64_t moment : moments) {
    run.atMoments.emplace_back();
    if (!simulate(moment, run.atMoments.back())) return run;
  }
  run.ok = simulate(options.cycles, run.lines);
  return run;
}

}  // namespace velmora
