// SPDX-License-Identifier: GPL-3.0-or-later
// Comparison conditions and IF blocks.
#pragma once

#include <string>

#include "compile_state.h"

namespace velmora {

struct OperatorFound {
  bool found = false;
  std::string op;  // "<>", "<=", ">=", "=", "<" or ">"
  int pos = 0;     // 1-based position of its first occurrence
  int len = 0;
};

// Two-character operators first ("<>", "<=", ">="), then "=", "<", ">".
OperatorFound FindOperator(const std::string& text);

// Translates one IF block: IF line, END IF line, ELSE line or -1.
void IfTranslator(CompileState& st, int ifLine, int endIfLine, int elseLine);

}  // namespace velmora
