// SPDX-License-Identifier: GPL-3.0-or-later
// SELECT CASE: lowered early into block IFs, GOTO lines and labels.
//
// Runs once over the program, before the statement passes. Each block
// "SELECT CASE sel" ... "END SELECT" becomes plain BASIC: every CASE opens the
// test of its values (an IF block, or jumps past the body for a range), every
// case body ends with a GOTO to the block's end label, and BREAK jumps there
// too. The IF, GOTO and assignment passes translate the result later.
//
// Normalisation has already split every line at its colons, so a SELECT CASE
// inside another block stands on its own line and is rejected: SELECT CASE
// blocks do not nest.
#include "select_case.h"

#include <vector>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {


// Splits line k at its first ":" into the trimmed text before it (in place)
// and the trimmed text after it (a new line below). False after reporting.
bool SplitAtColon(CompileState& st, int k) {
  const std::string line = st.ArrayInput[k];
  const int c = InStr(line, ":");
  if (!InserisciRighe(st, k + 1, 1)) return false;
  st.ArrayInput.TakeSource(k + 1, k);  // both halves come from line k
  st.ArrayInput[k] = Trim(Left(line, c - 1));
  st.ArrayInput[k + 1] = Trim(Mid(line, c + 1));
  return true;
}

// The state of one block while its cases are rewritten.
struct Block {
  std::string sel;         // the selector variable
  std::string endLabel;    // E: after the block
  std::string nextLabel;   // N: the next case's tests, after a range
  int openIfs = 0;         // IF blocks the current case keeps open
  bool pendingJump = false;
  int end = 0;             // the END SELECT line (E's label line)
};

// Writes `lines` in place of line k and returns how many lines were added.
int Replace(CompileState& st, Block& b, int k, const Lines& lines) {
  if (!ScriviRighe(st, k, lines)) return -1;
  const int added = static_cast<int>(lines.size()) - 1;
  b.end += added;
  return added;
}

// Closes the previous case before the CASE line at k: its body ends with a
// jump to E, its IF blocks are closed, and the pending N label lands here.
// Returns the number of lines inserted before k, -1 after reporting.
int ClosePreviousCase(CompileState& st, Block& b, int k) {
  Lines closing;
  if (b.pendingJump) {
    closing.push_back("GOTO " + b.endLabel);
    b.pendingJump = false;
  }
  if (b.openIfs > 0) {
    closing.push_back("GOTO " + b.endLabel);
    closing.insert(closing.end(), static_cast<size_t>(b.openIfs), "END IF");
    b.openIfs = 0;
  }
  if (!b.nextLabel.empty()) {
    closing.push_back(LabelLine(b.nextLabel));
    b.nextLabel.clear();
  }
  if (closing.empty()) return 0;
  closing.push_back(st.ArrayInput[k]);
  return Replace(st, b, k, closing);
}

// The lines that test one CASE line:
//   CASE ELSE         an empty line, nothing opened
//   CASE IS op v      IF sel op v THEN                       (one IF open)
//   CASE lo TO hi     IF sel < lo THEN / GOTO N / END IF /
//                     IF sel > hi THEN / GOTO N / END IF     (jump to E pending)
//   CASE v1, .., vn   IF sel = vi THEN / GOTO N / END IF for each value but the last,
//                     IF sel = vn THEN / N:                  (one IF open)
//   CASE v            IF sel = v THEN                        (one IF open)
// A matching value of a list jumps to N, which stands after the condition of
// the last value, at the start of the body; a last value that does not match
// skips the body through its own IF.
Lines CaseLines(CompileState& st, Block& b, const std::string& line) {
  if (line == "CASE ELSE") return {""};
  const int is = InStr(line, " IS ");
  if (is > 0) {
    b.openIfs = 1;
    return {"IF " + b.sel + Trim(Mid(line, is + 4)) + " THEN"};
  }
  const int to = InStr(line, " TO ");
  if (to > 0) {
    b.nextLabel = NuovaLabel(st);
    b.pendingJump = true;
    const std::string low = Trim(Mid(line, 5, to - 5));
    const std::string high = Trim(Mid(line, to + 4));
    const std::string skip = "GOTO " + b.nextLabel;
    return {"IF " + b.sel + " < " + low + " THEN", skip, "END IF",
            "IF " + b.sel + " > " + high + " THEN", skip, "END IF"};
  }
  const std::string values = Mid(line, 6);
  if (InStr(values, ",") > 0) {
    const std::string N = NuovaLabel(st);
    Lines lines;
    const Lines pieces = SplitAtCommas(values);
    for (size_t k = 0; k + 1 < pieces.size(); ++k) {
      lines.push_back("IF " + b.sel + " = " + Trim(pieces[k]) + " THEN");
      lines.push_back("GOTO " + N);
      lines.push_back("END IF");
    }
    lines.push_back("IF " + b.sel + " = " + Trim(pieces.back()) + " THEN");
    lines.push_back(LabelLine(N));
    b.openIfs = 1;
    return lines;
  }
  b.openIfs = 1;
  return {"IF " + b.sel + " = " + values + " THEN"};
}

// Lowers the block from SELECT line s to END SELECT line e. False after
// reporting.
bool LowerBlock(CompileState& st, int s, int e) {
  Block b;
  b.endLabel = NuovaLabel(st);
  b.end = e;
  st.ArrayInput[e] = LabelLine(b.endLabel);
  b.sel = Mid(st.ArrayInput[s], 13);
  if (!IsVariable(st, b.sel)) {
    Corrente(st, s);
    SegnalaErrore(st, "Variabile non definita");
    return false;
  }
  st.ArrayInput[s] = "";

  for (int k = s + 1; k < b.end;) {
    const std::string& line = st.ArrayInput[k];  // read before line k is rewritten
    if (line == "BREAK") {
      st.ArrayInput[k] = "GOTO " + b.endLabel;
      ++k;
      continue;
    }
    if (!StartsWith(line, "CASE ")) {
      ++k;
      continue;
    }
    const int before = ClosePreviousCase(st, b, k);
    if (before < 0) return false;
    k += before;
    if (InStr(st.ArrayInput[k], ":") > 0) {
      if (!SplitAtColon(st, k)) return false;
      b.end += 1;
    }
    Corrente(st, k);
    const Lines lines = CaseLines(st, b, st.ArrayInput[k]);
    const int added = Replace(st, b, k, lines);
    if (added < 0) return false;
    k += added + 1;
  }

  Lines closing(static_cast<size_t>(b.openIfs), "END IF");
  if (!b.nextLabel.empty()) closing.push_back(LabelLine(b.nextLabel));
  closing.push_back(st.ArrayInput[b.end]);
  return Replace(st, b, b.end, closing) >= 0;
}

// The END SELECT of the block opened at line i; a nested "... : SELECT CASE"
// line is split and its block is the one searched. 0 after reporting.
struct Found {
  int select = 0, end = 0;
};

Found FindBlock(CompileState& st, int i) {
  int s = i;
  for (int j = i + 1; j <= st.NoInput - 1; ++j) {
    const std::string& line = st.ArrayInput[j];
    if (line == "END SELECT") return {s, j};
    if (InStr(line, "SELECT CASE ") == 0) continue;
    if (InStr(line, ":") == 0) {
      Corrente(st, j);
      SegnalaErrore(st, "Sintassi di 'Select Case' non corretta");
      return {};
    }
    if (!SplitAtColon(st, j)) return {};
    s = j + 1;
    j += 1;
  }
  Corrente(st, i);
  SegnalaErrore(st, "Istruzione 'Select Case' non chiusa");
  return {};
}

}  // namespace

void SelectCase(CompileState& st) {
  for (int i = 1; i <= st.NoInput - 1;) {
    if (Left(st.ArrayInput[i], 12) != "SELECT CASE ") {
      ++i;
      continue;
    }
    // The pass runs after an earlier error too, so it stops on its own
    // errors only: those of this pass are its second block for the student.
    const Found block = FindBlock(st, i);
    if (block.end == 0) return;
    if (!LowerBlock(st, block.select, block.end)) return;
    // Line i is examined again: blank now, or the outer block of a nested one.
  }
}

}  // namespace velmora
