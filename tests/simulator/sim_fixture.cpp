// Translate, assemble.
#include "sim_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "assembler.h"
#include "translator.h"

namespace velmora::test {

std::string ReadFile(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

ReadyProgram PrepareProgram(const std::string& basic, const std::string& folder) {
  ReadyProgram p;
  Translator translator;
  const TranslationResult t = translator.Translate(basic, TranslateOptions{});
  p.assembly = t.assembly;
  if (!t.ok) {
    p.error = "traduzione: " + t.assembly;
    return p;
  }
  std::filesystem::create_directories(folder);
  const toolchain::AssembleResult a = toolchain::Assemble(folder, "prog", AssemblyFileBytes(t.assembly));
  if (!a.ok) {
    p.error = "gpasm: " + a.error;
    return p;
  }
  p.codPath = a.codPath;
  p.asmToBasic = t.assemblyLineSources;
  p.ok = true;
  return p;
}

}  // namespace velmora::test
