// SPDX-License-Identifier: GPL-3.0-or-later
// velmorac --assemble: gpasm on the translation, its messages on BASIC lines.
#include "assemble_command.h"

#include <cstdio>
#include <filesystem>

#include "assembler_diagnostics.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
namespace tc = velmora::toolchain;

constexpr int kAssembled = 0;
constexpr int kProgramError = 1;
constexpr int kCommandError = 2;

// gpasm gets at most this long; a real assembly of the largest program
// takes a small fraction of a second.
constexpr std::chrono::seconds kGpasmLimit(30);

}  // namespace

AssembleTarget AssembleTargetFor(const std::string& input, const std::string& output) {
  const fs::path source(input);
  std::error_code ec;
  if (output.empty()) return {source.has_parent_path() ? source.parent_path().string() : ".", source.stem().string()};
  if (fs::is_directory(output, ec)) return {output, source.stem().string()};
  const fs::path target(output);
  return {target.has_parent_path() ? target.parent_path().string() : ".", target.stem().string()};
}

int AssembleTranslated(const std::string& input, const AssembleTarget& target, const std::string& assemblyText,
                       const std::vector<int>& lineSources, bool quiet) {
  const tc::AssembledTranslation r =
      tc::AssembleTranslation(target.folder, target.name, assemblyText, lineSources, kGpasmLimit);
  for (const tc::AssemblerDiagnostic& d : r.diagnostics)
    std::fprintf(stderr, "%s\n", tc::FormatDiagnostic(input, d).c_str());
  if (r.ok()) {
    if (!quiet) std::printf("%s\n", tc::AssembleSummary(r.assembled).c_str());
    return kAssembled;
  }
  const bool programErrors = !r.assembled.toolFailed && r.assembled.errors > 0;
  if (!programErrors) std::fprintf(stderr, "velmorac: %s\n", r.assembled.error.c_str());
  return programErrors ? kProgramError : kCommandError;
}

}  // namespace velmora
