// SPDX-License-Identifier: GPL-3.0-or-later
// Parenthesised logical expressions, split into flat assignments.
//
// The logical-expression translator handles one flat expression per line: one
// kind of operator, or a NOT of one operand. This pass runs once, before the
// statement passes, over every line with "=" that mixes parentheses with
// " AND ", " OR " or "NOT(": each innermost group, found from the right, is
// computed into a dynamic work byte by a line of its own, placed before the
// line, and replaced there by the byte's name. IF lines are rewritten the same
// way, so their condition compares the work byte. The lines written here are
// translated later by the assignment and IF passes.
#include "parentheses.h"

#include <vector>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// The most lines (work bytes included) one source line may be split into.
constexpr int kMaxGenerated = 20;

bool IsCandidate(const std::string& line) {
  if (IsFinished(line)) return false;
  if (InStr(line, "(") == 0 && InStr(line, ")") == 0) return false;
  return InStr(line, " AND ") > 0 || InStr(line, " OR ") > 0 || InStr(line, "NOT(") > 0;
}

// "X = NOT(X)" complements in place and is left to the logic translator.
bool IsSelfComplement(const std::string& line, int eq) {
  const std::string left = RTrim(Left(line, eq - 1));
  std::string right = LTrim(Mid(line, eq + 1));
  if (StartsWith(right, "NOT(")) right = Trim(Mid(right, 5, Len(right) - 5));
  return right == left;
}

// Two kinds of logical operator in one line, names included ("MOTOR" holds OR).
bool MixesOperators(const std::string& line) {
  int kinds = 0;
  for (const char* word : {"OR", "AND", "NOT"})
    if (InStr(line, word) > 0) ++kinds;
  return kinds >= 2;
}

struct Split {
  std::vector<std::string> lines;
  std::vector<std::string> temps;
};

void Release(CompileState& st, const Split& split) {
  for (const auto& t : split.temps) RilasciaDinamica(st, t);
}

// Extracts the groups of `line` from the right, innermost first: each group
// becomes "T = group" (and "T = NOT( T )" after a NOT), then the line itself
// with the groups replaced by their bytes. False after reporting.
bool ExtractGroups(CompileState& st, std::string line, Split& split) {
  int close = 0;
  for (int pos = Len(line); pos >= 1; --pos) {
    const char ch = line[static_cast<size_t>(pos - 1)];
    if (ch == ')') {
      close = pos;
      continue;
    }
    if (ch != '(') continue;
    if (close == 0) {
      SegnalaErrore(st, "Livello di parentesi non bilanciato");
      return false;
    }
    const std::string t = AcquisisciDinamica(st);
    if (st.Flag_Errore) return false;
    split.temps.push_back(t);
    split.lines.push_back(t + " = " + Trim(Mid(line, pos + 1, close - pos - 1)));
    const std::string tail = RTrim(Mid(line, close + 1));
    if (pos > 3 && Mid(line, pos - 3, 3) == "NOT") {
      split.lines.push_back(t + " = NOT( " + t + " )");
      line = Left(line, pos - 4) + t + tail;
    } else {
      line = Left(line, pos - 1) + t + tail;
    }
    close = 0;
    pos = Len(line) + 1;  // restart from the new last character
  }
  if (close != 0) {
    SegnalaErrore(st, "Livello di parentesi non bilanciato");
    return false;
  }
  split.lines.push_back(line);
  return true;
}

// When the whole expression was one group ("X = (A AND B)"), the rewritten
// line "X = T" merges into the group's last line: "X = A AND B".
void MergeWholeGroup(Split& split) {
  if (split.temps.empty() || split.lines.size() < 2) return;
  const std::string rewritten = split.lines.back();
  const int eq = InStr(rewritten, "=");
  if (eq == 0 || Trim(Mid(rewritten, eq + 1)) != split.temps.back()) return;
  split.lines.pop_back();
  std::string& previous = split.lines.back();
  previous = Left(rewritten, eq) + Mid(previous, InStr(previous, "=") + 1);
}

// "X = (A AND B) + 1" becomes "X = W#D1 + 1", which the assignment and IF
// passes take as one operand named "W#D1 + 1" (every W# name counts as a
// variable): the code reads the byte after the work byte instead of adding.
// The output stays the dialect's; the statement gets a warning.
void WarnArithmeticAfterGroup(CompileState& st, const Split& split) {
  const std::string& line = split.lines.back();
  for (const std::string& t : split.temps) {
    const int at = InStr(line, t + " ");
    if (at == 0) continue;
    const std::string after = LTrim(Mid(line, at + Len(t)));
    if (StartsWith(after, "+") || StartsWith(after, "-")) {
      SegnalaAvviso(st, "un'espressione tra parentesi seguita da + o - non viene calcolata: il codice legge un "
                        "byte sbagliato; calcolare prima la parentesi in una variabile (per esempio Y = NOT(A), "
                        "poi X = Y + 1)");
      return;
    }
  }
}

}  // namespace

void SplitParentheses(CompileState& st) {
  for (int i = 1; i <= st.NoInput;) {
    if (!IsCandidate(st.ArrayInput[i])) {
      ++i;
      continue;
    }
    const std::string line = st.ArrayInput[i];
    Corrente(st, i);
    const int eq = InStr(line, "=");
    if (eq == 0 || IsSelfComplement(line, eq)) {
      ++i;
      continue;
    }

    Split split;
    const bool extracted = ExtractGroups(st, line, split);
    Release(st, split);
    if (!extracted) return;
    MergeWholeGroup(split);
    WarnArithmeticAfterGroup(st, split);
    if (static_cast<int>(split.lines.size()) > kMaxGenerated) {
      SegnalaErrore(st, "Espressione logica troppo complessa: richiede più di 20 istruzioni, "
                        "suddividerla in più assegnazioni");
      return;
    }
    if (!ScriviRighe(st, i, split.lines)) return;
    for (const auto& generated : split.lines) {
      if (MixesOperators(generated)) {
        SegnalaErrore(st, "Controllore il livello di parentesi");
        return;
      }
    }
    i += static_cast<int>(split.lines.size());
  }
}

}  // namespace velmora
