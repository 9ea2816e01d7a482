// Assembling with gpasm: files written beside each other, gpasm run in that
// folder so the include and the outputs need no paths.
#include "assembler.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "asm_writer.h"
#include "italian_text.h"
#include "process.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace

std::vector<AssemblerLine> ParseAssemblerOutput(const std::string& output) {
  std::vector<AssemblerLine> lines;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    AssemblerLine l;
    l.text = line;
    if (line.find(":Error") != std::string::npos || line.rfind("Error", 0) == 0)
      l.kind = AssemblerLine::Kind::Error;
    else if (line.find(":Warning") != std::string::npos || line.rfind("Warning", 0) == 0)
      l.kind = AssemblerLine::Kind::Warning;
    else if (line.find(":Message") != std::string::npos || line.rfind("Message", 0) == 0)
      l.kind = AssemblerLine::Kind::Message;
    lines.push_back(l);
  }
  return lines;
}

AssembleResult Assemble(const std::string& folder, const std::string& name, const std::string& assemblyBytes,
                        std::chrono::milliseconds limit) {
  AssembleResult r;
  const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
  r.asmPath = (dir / (name + ".asm")).string();
  r.hexPath = (dir / (name + ".hex")).string();
  r.codPath = (dir / (name + ".cod")).string();
  const std::string gpasm = FindTool("gpasm");
  if (gpasm.empty()) {
    r.toolMissing = true;
    r.error = MissingToolMessage("gpasm");
    return r;
  }
  if (!WriteFile(r.asmPath, assemblyBytes) || !WriteFile(dir / "PIC16F84.DEF", TestoDefinizioni() + "\r\n")) {
    r.error = "Impossibile scrivere i file in " + dir.string();
    return r;
  }
  // Stale outputs of an earlier run must not pass for this one's.
  std::error_code ec;
  fs::remove(r.hexPath, ec);
  fs::remove(r.codPath, ec);
  std::string output;
  bool timedOut = false;
  const int status = RunTool({gpasm, "-p16f84", name + ".asm"}, dir.string(), output, limit, &timedOut);
  r.lines = ParseAssemblerOutput(output);
  for (const AssemblerLine& l : r.lines) {
    r.errors += l.kind == AssemblerLine::Kind::Error;
    r.warnings += l.kind == AssemblerLine::Kind::Warning;
  }
  r.ok = !timedOut && status == 0 && r.errors == 0 && fs::exists(r.hexPath);
  if (r.ok) return r;
  // gpasm leaves a .cod even after errors: a failed assembly leaves neither
  // output, so nothing half-built is loaded into the simulator.
  fs::remove(r.hexPath, ec);
  fs::remove(r.codPath, ec);
  r.error = timedOut ? "gpasm non ha terminato entro " + italian::Count(limit.count() / 1000, "secondo", "secondi")
                     : "Assemblaggio non riuscito (gpasm: " + italian::Count(r.errors, "errore", "errori") + ")";
  return r;
}

AssembleResult AssembleBeside(const std::string& basicPath, const std::string& assemblyBytes,
                              std::chrono::milliseconds limit) {
  const fs::path basic(basicPath);
  const std::string folder = basic.has_parent_path() ? basic.parent_path().string() : ".";
  return Assemble(folder, basic.stem().string(), assemblyBytes, limit);
}

std::string AssembleSummary(const AssembleResult& result) {
  if (!result.ok) return result.error;
  std::string s = "Assemblaggio riuscito: " + result.hexPath;
  if (result.warnings > 0) s += " (" + italian::Count(result.warnings, "avviso", "avvisi") + ")";
  return s;
}

}  // namespace velmora::toolchain
