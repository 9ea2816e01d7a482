// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder of this test process under the build's test folder
// (VELMORA_TEST_TMP), emptied first.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace velmora::test {

inline std::filesystem::path Scratch(const std::string& tag) {
  const std::filesystem::path dir =
      std::filesystem::path(VELMORA_TEST_TMP) / (tag + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace velmora::test
