// A BASIC program made ready for the simulator window: translated with the
// translator library, assembled with gpasm into a folder, and given the
// assembly-line -> BASIC-line table.
//
// Until the translator reports the BASIC line of each assembly line, the
// table is built from anchors: each anchor names a BASIC line and a text
// found on the first assembly line of that BASIC line's code (searched
// after the previous anchor); the lines up to the next anchor belong to it.
// An anchor on line 0 ends the previous range.
#pragma once

#include <string>
#include <vector>

namespace velmora::test {

struct Anchor {
  int basicLine;
  const char* text;
};

struct ReadyProgram {
  bool ok = false;
  std::string error;     // translation or assembly failure
  std::string assembly;  // the assembly pane text
  std::string codPath;
  std::vector<int> asmToBasic;  // element i: BASIC line of assembly line i+1
};

ReadyProgram PrepareProgram(const std::string& basic, const std::string& folder, const std::vector<Anchor>& anchors = {});

std::string ReadFile(const std::string& path);

}  // namespace velmora::test
