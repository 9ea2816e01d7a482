// Reading gpasm's listing and combining it with the BASIC line of each
// assembly line.
#include "program_map.h"

namespace velmora::simulator {

std::vector<int> ReadListingLines(const std::string& listing) { return toolchain::ReadListingLines(listing); }

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
                           const std::vector<int>& asmToBasic) {
  ProgramMap map;
  map.asmLine = ReadListingLines(listing);
  for (int a = 0; a < kProgramWords; ++a) {
    const int asmLine = map.asmLine[static_cast<size_t>(a)];
    if (asmLine >= 1 && static_cast<size_t>(asmLine) <= asmToBasic.size())
      map.basicLine[static_cast<size_t>(a)] = asmToBasic[static_cast<size_t>(asmLine - 1)];
  }
  map.sleepAddresses = toolchain::SleepAddresses(hexText);
  for (const toolchain::Variable& v : toolchain::ReadEquates(assembly))
    if (v.name.rfind("W#", 0) != 0) map.variables.push_back(v);
  return map;
}

}  // namespace velmora::simulator
