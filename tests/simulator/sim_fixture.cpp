// Translate, assemble, anchor.
#include "sim_fixture.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "assembler.h"
#include "translator.h"

namespace velmora::test {

std::string ReadFile(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

ReadyProgram PrepareProgram(const std::string& basic, const std::string& folder, const std::vector<Anchor>& anchors) {
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

  std::vector<std::string> lines;
  std::istringstream in(t.assembly);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  p.asmToBasic.assign(lines.size(), 0);
  size_t from = 0;
  int current = 0;
  for (const Anchor& anchor : anchors) {
    size_t at = from;
    while (at < lines.size() && lines[at].find(anchor.text) == std::string::npos) ++at;
    if (at == lines.size()) {
      p.error = std::string("anchor not found: ") + anchor.text;
      return p;
    }
    for (size_t i = from; i < at; ++i) p.asmToBasic[i] = current;
    current = anchor.basicLine;
    from = at;
  }
  for (size_t i = from; i < lines.size(); ++i) p.asmToBasic[i] = current;
  p.ok = true;
  return p;
}

}  // namespace velmora::test
