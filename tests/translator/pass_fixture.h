// Shared by the pass tests: a program loaded into a fresh compile state, read
// back, and the error block as the user reads it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "compile_state.h"
#include "encoding.h"

namespace velmora::passtest {

using velmora::Lines;

inline void Load(CompileState& st, const Lines& lines) {
  st.ResetForTranslation();
  st.TextASM.clear();
  st.NoInput = 0;
  for (const auto& l : lines) st.ArrayInput[++st.NoInput] = l;
}

inline CompileState Loaded(const Lines& lines) {
  CompileState st;
  Load(st, lines);
  return st;
}

inline Lines Program(const CompileState& st) {
  Lines out;
  for (int i = 1; i <= st.NoInput; ++i) out.push_back(st.ArrayInput[i]);
  return out;
}

// Rows 1..n of a text table (ArrayInit, ArrayINT, ArrayCALL).
template <int N>
Lines Rows(const TextTable<N>& table, int n) {
  Lines out;
  for (int i = 1; i <= n; ++i) out.push_back(table[i]);
  return out;
}

// The pane text in UTF-8.
inline std::string Pane(const CompileState& st) { return encoding::Cp1252ToUtf8(st.TextASM); }

// The error block of a UTF-8 message, with the statement part when one is given.
inline std::string ErrorBlock(const std::string& message, const std::string& statement = {}) {
  const std::string head = "<*> ERRORE : " + message + "\r\n";
  return statement.empty() ? head : head + "---istruzione---\r\n" + encoding::Cp1252ToUtf8(statement);
}

}  // namespace velmora::passtest
