// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_fixture.h"

#include <fstream>
#include <sstream>

namespace velmora::test {

std::string ReadFile(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

}  // namespace velmora::test
