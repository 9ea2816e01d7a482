// Shared by the pass tests: a program loaded into a fresh compile state, read
// back, the error block as the user reads it, and the one-statement row table.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// "MOVLW 0x01|@1:|I = A|BTFSS Z" -> program lines: a piece ending in ":" is a
// label line, a BASIC statement (an assignment, IF, ELSE, END IF, DO, LOOP,
// BREAK [X] or the placeholder BODY) stays as written, anything else is an
// instruction line. "BTFSC Z", "BTFSS C" and the like stand for the status
// tests, "OVF?" for the carry test the FOR pass marks ";Overflow?".
inline Lines Expand(const std::string& pieces) {
  Lines out;
  size_t from = 0;
  for (;;) {
    const size_t bar = pieces.find('|', from);
    std::string p = pieces.substr(from, bar == std::string::npos ? bar : bar - from);
    if (p == "OVF?") p = "BTFSC Reg_Status , Flag_C  ;Overflow?";
    if (p.size() == 7 && p.compare(0, 4, "BTFS") == 0 && p[5] == ' ')
      p = p.substr(0, 6) + "Reg_Status , Flag_" + p.substr(6);
    const bool basic = p.find(" = ") != std::string::npos || p.rfind("IF ", 0) == 0 || p == "END IF" ||
                       p == "ELSE" || p == "BODY" || p.rfind("BREAK", 0) == 0 || p == "DO" || p == "LOOP";
    if (!p.empty() && p.back() == ':')
      out.push_back(LabelLine(p.substr(0, p.size() - 1)));
    else if (basic)
      out.push_back(p);
    else
      out.push_back(Ins(p));
    if (bar == std::string::npos) return out;
    from = bar + 1;
  }
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

// One statement translated between the marker lines PRIMA and DOPO: either the
// instructions that replace it (without "A>" and the eight blanks), or the error
// block naming it, the line then left as it was.
struct Riga {
  const char* line;
  Lines want;
  const char* error = nullptr;
  const char* errorTail = "";  // program text shown after the message
};

// `run(line)` returns the compile state after translating PRIMA / line / DOPO.
template <class Run>
void VerificaRighe(const std::vector<Riga>& rows, Run run) {
  for (const auto& r : rows) {
    const CompileState st = run(r.line);
    Lines want{"PRIMA"};
    if (r.error) {
      EXPECT_EQ(Pane(st), ErrorBlock(std::string(r.error) + r.errorTail, r.line)) << r.line;
      want.push_back(r.line);
    } else {
      EXPECT_EQ(Pane(st), "") << r.line;
      for (const auto& w : r.want) want.push_back(Ins(w));
    }
    want.push_back("DOPO");
    EXPECT_EQ(Program(st), want) << r.line;
  }
}

}  // namespace velmora::passtest
