// SPDX-License-Identifier: GPL-3.0-or-later
// Reading gpasm's listing and combining it with the BASIC line of each
// assembly line.
#include "program_map.h"

#include <regex>
#include <sstream>

namespace velmora::simulator {

std::vector<int> ReadListingLines(const std::string& listing) { return toolchain::ReadListingLines(listing); }

std::vector<int> ReadProgramWords(const std::string& hexText) {
  std::vector<int> bytes(2 * kProgramWords, -1);
  std::istringstream in(hexText);
  std::string line;
  int upper = 0;  // the extended linear address of the records that follow
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 11 || line[0] != ':') continue;
    const auto byteAt = [&line](size_t i) { return std::stoi(line.substr(1 + 2 * i, 2), nullptr, 16); };
    const int count = byteAt(0), address = byteAt(1) << 8 | byteAt(2), type = byteAt(3);
    if (line.size() < static_cast<size_t>(11 + 2 * count)) continue;
    if (type == 4) upper = byteAt(4) << 8 | byteAt(5);
    if (type != 0 || upper != 0) continue;
    for (int i = 0; i < count && address + i < static_cast<int>(bytes.size()); ++i)
      bytes[static_cast<size_t>(address + i)] = byteAt(4 + static_cast<size_t>(i));
  }
  std::vector<int> words(kProgramWords, -1);
  for (size_t a = 0; a < words.size(); ++a)
    if (bytes[2 * a] >= 0 && bytes[2 * a + 1] >= 0) words[a] = bytes[2 * a + 1] << 8 | bytes[2 * a];
  return words;
}

bool IsGeneratedJump(const std::string& assemblyLine) {
  static const std::regex jump(R"(^(\S+:)?\s+GOTO\s+@[^\s;]*\s*(;.*)?\r?$)", std::regex::icase);
  return std::regex_match(assemblyLine, jump);
}

int ProgramMap::FirstAddress(int basicLineNumber) const {
  for (int a = 0; a < kProgramWords; ++a)
    if (basicLine[static_cast<size_t>(a)] == basicLineNumber && basicLineNumber > 0) return a;
  return -1;
}

std::vector<int> ProgramMap::AddressesOfOtherLines(int basicLineNumber) const {
  std::vector<int> addresses;
  for (int a = 0; a < kProgramWords; ++a) {
    const int l = basicLine[static_cast<size_t>(a)];
    if (l != 0 && l != basicLineNumber) addresses.push_back(a);
  }
  return addresses;
}

int ProgramMap::BasicLineAt(int address) const {
  return address >= 0 && address < kProgramWords ? basicLine[static_cast<size_t>(address)] : 0;
}

int ProgramMap::AsmLineAt(int address) const {
  return address >= 0 && address < kProgramWords ? asmLine[static_cast<size_t>(address)] : 0;
}

ProgramMap BuildProgramMap(const std::string& listing, const std::string& hexText, const std::string& assembly,
                           const std::vector<int>& asmToBasic, const std::vector<DeclaredVariable>* variables) {
  ProgramMap map;
  map.asmLine = ReadListingLines(listing);
  for (int a = 0; a < kProgramWords; ++a) {
    const int asmLine = map.asmLine[static_cast<size_t>(a)];
    if (asmLine >= 1 && static_cast<size_t>(asmLine) <= asmToBasic.size())
      map.basicLine[static_cast<size_t>(a)] = asmToBasic[static_cast<size_t>(asmLine - 1)];
  }
  map.words = ReadProgramWords(hexText);
  std::vector<std::string> lines;
  std::istringstream in(assembly);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  for (int a = 0; a < kProgramWords; ++a) {
    const int asmLine = map.asmLine[static_cast<size_t>(a)];
    map.passThrough[static_cast<size_t>(a)] =
        asmLine >= 1 && static_cast<size_t>(asmLine) <= lines.size() && IsGeneratedJump(lines[static_cast<size_t>(asmLine - 1)]);
  }
  map.sleepAddresses = toolchain::SleepAddresses(hexText);
  for (const toolchain::Variable& v : variables ? toolchain::VariablesOf(*variables) : toolchain::ReadEquates(assembly))
    if (v.name.rfind("W#", 0) != 0) map.variables.push_back(v);
  return map;
}

}  // namespace velmora::simulator
