// SPDX-License-Identifier: GPL-3.0-or-later
// A file's bytes, for the tests that read examples and tool outputs.
#pragma once

#include <string>

namespace velmora::test {

std::string ReadFile(const std::string& path);

}  // namespace velmora::test
