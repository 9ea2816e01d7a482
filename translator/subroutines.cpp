// SPDX-License-Identifier: GPL-3.0-or-later
// SUB headers, CALL arguments and SUB bodies.
//
// The SUB/CALL pass runs among the declaration passes. It records every SUB
// header in ArraySUB (name, parameter count, parameter list) and renames a
// header with parameters to its label, the name followed by the count, so that
// SUBs of one name with different counts are distinct routines. A CALL with
// arguments becomes one assignment per parameter followed by the CALL of that
// label: parameters are ordinary variables, passed by assignment.
//
// The SUB body translation runs once per SUB ... END SUB block after the
// statement dispatcher: the header becomes the routine's label, END SUB and
// EXIT SUB become RETURN, and the calls made from the body are recorded in
// ArrayCALL for the call-depth check of the driver.
#include "subroutines.h"

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// Comment put on a SUB label line whose body opens with a DO loop: the line
// then no longer ends with ":" and keeps its own place in the output.
constexpr const char* kSubLabelComment = "   ;subroutine tradotta da Velmora";

/// The label a SUB is known by: its name, followed by the count when it has parameters.
std::string SubLabel(const SubRow& row) { return row.count == "0" ? row.name : row.name + row.count; }

/// Appends a row to ArraySUB unless the table is full or the SUB clashes with
/// one already recorded. Returns false after reporting.
bool AddSub(CompileState& st, const std::string& name, const std::string& count,
            const std::string& params) {
  const SubRow row{name, count, params};
  for (int k = 1; k <= st.NoSUB; ++k) {
    const SubRow& other = st.ArraySUB[k];
    if (other.name == name && other.count == count) {
      SegnalaErrore(st, "Subroutine definita due volte con lo stesso nome e lo stesso numero di parametri");
      return false;
    }
    if (SubLabel(other) == SubLabel(row)) {
      SegnalaErrore(st, "Il nome della subroutine coincide con quello di un'altra subroutine: ",
                    SubLabel(row));
      return false;
    }
  }
  if (st.NoSUB >= CompileState::kMaxSub) {
    SegnalaErrore(st, "Troppe subroutine: il programma ne può definire al massimo 50");
    return false;
  }
  st.NoSUB += 1;
  st.ArraySUB[st.NoSUB] = row;
  return true;
}

/// SUB name | SUB name() | SUB name(p1, p2, ...): records the SUB; a header
/// with parameters becomes "SUB " + name + count. Returns false after reporting.
bool RecordHeader(CompileState& st, int i) {
  const std::string line = st.ArrayInput[i];
  const int p = InStr(line, "(");
  if (p == 0) return AddSub(st, Trim(Mid(line, 5)), "0", "");

  const int q = InStr(line, ")", p + 1);
  if (q == 0) {
    SegnalaErrore(st, "Controllare la definizione della subroutine");
    return false;
  }
  const std::string list = Trim(Mid(line, p + 1, q - p - 1));
  const std::string head = RTrim(Left(line, p - 1));
  const std::string name = Trim(Mid(line, 5, p - 5));
  if (list.empty()) {
    if (!AddSub(st, name, "0", "")) return false;
    st.ArrayInput[i] = head;
    return true;
  }
  const std::string count = Dec(1 + CountChar(list, ','));
  if (!AddSub(st, name, count, list)) return false;
  st.ArrayInput[i] = head + count;
  return true;
}

/// CALL name(a1, a2, ...) at line i becomes "p1 = a1", "p2 = a2", ...,
/// "CALL " + name + count. Returns the number of lines inserted before the
/// CALL, or -1 after reporting.
int ExpandCall(CompileState& st, int i) {
  const std::string line = st.ArrayInput[i];
  const int p = InStr(line, "(");
  if (p == 0) return 0;
  const int q = InStr(line, ")", p + 1);
  if (q == 0) {
    SegnalaErrore(st, "Livello di parentesi non corretto");
    return -1;
  }
  const std::string args = Trim(Mid(line, p + 1, q - p - 1));
  const std::string head = RTrim(Left(line, p - 1));
  if (args.empty()) {
    st.ArrayInput[i] = head;
    return 0;
  }

  const int n = 1 + CountChar(args, ',');
  const std::string name = Mid(line, 6, p - 6);
  int row = 0;
  for (int k = 1; k <= st.NoSUB && row == 0; ++k)
    if (st.ArraySUB[k].name == name && Val(st.ArraySUB[k].count) == n) row = k;
  if (row == 0) {
    SegnalaErrore(st, "Impossibile rintracciare la sub ", line);
    return -1;
  }

  if (!InserisciRighe(st, i, n)) return -1;
  const std::vector<std::string> params = SplitAtCommas(st.ArraySUB[row].params);
  const std::vector<std::string> values = SplitAtCommas(args);
  for (int j = 0; j < n; ++j)
    st.ArrayInput[i + j] = params[static_cast<size_t>(j)] + " = " + values[static_cast<size_t>(j)];
  st.ArrayInput[i + n] = head + st.ArraySUB[row].count;
  return n;
}

/// Records caller->callee in ArrayCALL once. Returns false after reporting.
bool RecordCall(CompileState& st, const std::string& entry) {
  for (int k = 1; k <= st.NoCALL; ++k)
    if (st.ArrayCALL[k] == entry) return true;
  if (st.NoCALL >= CompileState::kMaxCall) {
    NessunaIstruzione(st);
    SegnalaErrore(st, "Il programma contiene troppe chiamate a subroutine.");
    return false;
  }
  st.NoCALL += 1;
  st.ArrayCALL[st.NoCALL] = entry;
  return true;
}

}  // namespace

void TraduciSubCall(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    Corrente(st, i);
    if (!StartsWith(st.ArrayInput[i], "SUB ")) continue;
    if (!RecordHeader(st, i)) return;
  }
  if (st.NoSUB == 0) return;

  // IstruzioneCorrente keeps the program's last line from the scan above.
  for (int i = 1; i <= st.NoInput; ++i) {
    if (!StartsWith(st.ArrayInput[i], "CALL ")) continue;
    const int inserted = ExpandCall(st, i);
    if (inserted < 0) return;
    i += inserted;
  }
}

void TraduciSubBody(CompileState& st, int s, int e) {
  const std::string name = Mid(st.ArrayInput[s], 5);
  st.ArrayInput[s] = LabelLine(name);
  if (StartsWith(st.ArrayInput[s + 1] + " ", "DO ")) st.ArrayInput[s] += kSubLabelComment;
  st.ArrayInput[e] = Ins("RETURN");

  for (int j = s; j <= e; ++j) {
    const std::string& line = st.ArrayInput[j];
    if (line == "EXIT SUB") {
      st.ArrayInput[j] = Ins("RETURN");
      continue;
    }
    const int c = InStr(line, "CALL ");
    if (c == 0) continue;
    if (!RecordCall(st, name + "->" + Trim(Mid(line, c + 5)))) return;
  }
}

}  // namespace velmora
