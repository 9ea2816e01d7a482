// A BASIC program made ready for the simulator window: translated with the
// translator library (with the BASIC line of each assembly line) and
// assembled with gpasm into a folder.
#pragma once

#include <string>
#include <vector>

namespace velmora::test {

struct ReadyProgram {
  bool ok = false;
  std::string error;     // translation or assembly failure
  std::string assembly;  // the assembly pane text
  std::string codPath;
  std::vector<int> asmToBasic;  // element i: BASIC line of assembly line i+1
};

ReadyProgram PrepareProgram(const std::string& basic, const std::string& folder);

std::string ReadFile(const std::string& path);

}  // namespace velmora::test
