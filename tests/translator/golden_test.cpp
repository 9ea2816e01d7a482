// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests: every tests/golden/NAME.bas is translated and compared byte
// for byte with NAME.asm (the file "Salva" writes for the assembly pane) or
// NAME.err (the pane's error block). Every .asm golden must also assemble
// with gpasm, so no golden can hold code the assembler rejects.
//
// With VELMORA_REGEN_GOLDENS set in the environment the expected files are
// rewritten from the current translator instead (scripts/regen-goldens); a
// golden never silently changes kind from .asm to .err or back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chip_sim.h"
#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::path(VELMORA_SOURCE_DIR) / "tests" / "golden";

std::string ReadBytes(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

// The names of the golden programs (NAME of NAME.bas), sorted.
std::vector<std::string> GoldenNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(kFolder, ec))
    if (entry.path().extension() == ".bas") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, TranslatesToTheExpectedBytes) {
  const fs::path asmFile = kFolder / (GetParam() + ".asm"), errFile = kFolder / (GetParam() + ".err");
  const bool wantsAsm = fs::exists(asmFile), wantsErr = fs::exists(errFile);
  ASSERT_FALSE(wantsAsm && wantsErr) << GetParam() << " has both a .asm and a .err golden";

  auto st = std::make_unique<CompileState>();
  const TranslationResult r = TranslateText(*st, ReadBytes(kFolder / (GetParam() + ".bas")), TranslateOptions{});
  const std::string got = r.ok ? AssemblyFileBytes(r.assembly) : r.assembly;
  if (std::getenv("VELMORA_REGEN_GOLDENS")) {
    ASSERT_TRUE(r.ok ? !wantsErr : !wantsAsm)
        << GetParam() << ": the translation " << (r.ok ? "now succeeds" : "now fails")
        << "; remove the old expected file by hand if that is intended.\n" << r.assembly;
    std::ofstream(r.ok ? asmFile : errFile, std::ios::binary | std::ios::trunc) << got;
    return;
  }
  ASSERT_TRUE(wantsAsm || wantsErr) << GetParam() << ".bas has no .asm or .err golden";
  ASSERT_EQ(r.ok, wantsAsm) << (r.ok ? "the translation succeeded where an error was expected"
                                     : "the translation failed:\n" + r.assembly);
  const std::string want = ReadBytes(wantsAsm ? asmFile : errFile);
  EXPECT_EQ(want, got);  // the diff reads from the golden to the output
  std::string log;
  EXPECT_TRUE(!wantsAsm || test::AssemblesCleanly(want, &log)) << log;
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, testing::ValuesIn(GoldenNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                           std::string name = p.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden);

// Every expected file belongs to a program, so none is silently ignored.
TEST(GoldenFolder, HoldsOnlyProgramsAndTheirExpectedFiles) {
  const std::vector<std::string> programs = GoldenNames();
  const std::set<std::string> names(programs.begin(), programs.end());
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(kFolder, ec)) {
    const fs::path p = entry.path();
    const std::string ext = p.extension().string(), file = p.filename().string();
    if (ext == ".bas" || file == "README.md" || file == ".gitattributes") continue;
    EXPECT_TRUE((ext == ".asm" || ext == ".err") && names.count(p.stem().string()))
        << p.filename() << " is not the expected output of a .bas program";
  }
}

}  // namespace
}  // namespace velmora
