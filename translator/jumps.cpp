// SPDX-License-Identifier: GPL-3.0-or-later
// Jump post-processing.
//
// Runs after every statement has become a finished line. The compaction
// removes empty lines; the label pass then, in five phases, puts each label on
// the line of the instruction it marks (merging), groups the labels that
// stand alone with the line they mark (runs), turns every such label into an
// alias of the jump that reaches that line (aliases), sends every GOTO or
// CALL aimed at an alias straight to the final target (redirection), and
// removes the label lines nothing needs any more (removal).
#include "jumps.h"

#include <set>
#include <unordered_set>
#include <string_view>
#include <vector>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

constexpr int kMaxAliases = 501;

bool Dropped(const std::string& line) { return line.empty() || line == kFinished; }


struct Alias {
  std::string key, replacement;
};

// A run: a label standing alone, the labels right after it and the line they mark.
struct Run {
  std::vector<int> labels;  // line numbers of the label lines
  int final = 0;            // line number of the marked line; 0 when none
};

std::vector<Run> FindRuns(CompileState& st) {
  std::vector<Run> runs;
  for (int i = 1; i <= st.NoInput - 1; ++i) {
    if (!IsLabelLine(st.ArrayInput[i])) continue;
    Run run;
    int k = i;
    while (k <= st.NoInput && IsLabelLine(st.ArrayInput[k])) run.labels.push_back(k++);
    // Empty lines left by the compaction are skipped: the label marks the line after them.
    while (k <= st.NoInput && st.ArrayInput[k].empty()) ++k;
    run.final = k <= st.NoInput ? k : 0;
    runs.push_back(run);
    i = k;  // the marked line cannot start a run
  }
  return runs;
}

// The text after the space before " GOTO " or " CALL ", and that position.
int JumpPosition(const std::string& line) {
  const int g = InStr(line, " GOTO ");
  if (g > 0) return g;
  return InStr(line, " CALL ");
}

}  // namespace

void CompattaProgramma(CompileState& st) {
  int i = 0;
  for (int k = 1; k <= st.NoInput - 1; ++k)
    if (Dropped(st.ArrayInput[k])) {
      i = k;
      break;
    }
  if (i == 0) return;
  int j = 0;
  for (int k = i + 1; k <= st.NoInput - 1; ++k)
    if (!Dropped(st.ArrayInput[k])) {
      j = k;
      break;
    }
  if (j == 0) return;
  int out = i;
  for (int k = j; k <= st.NoInput; ++k) {
    if (Dropped(st.ArrayInput[k])) continue;
    st.ArrayInput.Move(k, out++);
  }
  for (int k = out; k <= st.NoInput; ++k) st.ArrayInput.Clear(k);
  st.NoInput = out - 1;
}

namespace {

// Phase 1, merging: a label line followed by an instruction line becomes one
// line, and the next line examined is the one after the instruction. One pass
// that closes up the array as it goes (deleting line by line would move the
// rest of the program once per merge). A label at the very end marks a NOP.
void MergeLabels(CompileState& st) {
  const int last = st.NoInput;
  int w = 0;
  for (int r = 1; r <= last; ++r) {
    ++w;
    if (w != r) st.ArrayInput.Move(r, w);
    if (r < last && IsLabelLine(st.ArrayInput[w]) && IsInstructionLine(st.ArrayInput[r + 1])) {
      AppendToLabel(st.ArrayInput[w], InstructionOf(st.ArrayInput[r + 1]));
      st.ArrayInput.TakeSource(w, r + 1);
      ++r;
    }
  }
  for (int k = w + 1; k <= last; ++k) st.ArrayInput.Clear(k);
  st.NoInput = w;
  if (st.NoInput > 0 && IsLabelLine(st.ArrayInput[st.NoInput])) AppendToLabel(st.ArrayInput[st.NoInput], "NOP");
}

// The alias table and the label lines that must stay.
struct Aliases {
  std::vector<Alias> table;
  std::set<int> keep;  // label lines that must stay (nothing else marks their line)
};

// Phase 3, aliases: every label of a run stands for the jump that reaches its
// final line. False after reporting a table too large.
bool BuildAliases(CompileState& st, const std::vector<Run>& runs, Aliases& out) {
  auto add = [&](const std::string& label, const std::string& target) {
    out.table.push_back({"GOTO " + label, target});
    if (!StartsWith(label, st.PrefissoLabel)) out.table.push_back({"CALL " + label, "CALL " + Mid(target, 6)});
  };
  for (const Run& run : runs) {
    if (run.final == 0) {
      // Labels followed by nothing at all: the last one marks a NOP.
      AppendToLabel(st.ArrayInput[run.labels.back()], "NOP");
      continue;
    }
    const std::string& final = st.ArrayInput[run.final];
    std::string target;
    if (IsInstructionLine(final) || (InStr(final, ":") == 0)) {
      // The marked line carries no label of its own: the last label stays
      // on its line and the others jump to it.
      out.keep.insert(run.labels.back());
      target = "GOTO " + LabelOf(st.ArrayInput[run.labels.back()]);
      for (size_t n = 0; n + 1 < run.labels.size(); ++n) add(LabelOf(st.ArrayInput[run.labels[n]]), target);
      continue;
    }
    const int g = InStr(final, "GOTO ");
    if (g > 0) {
      target = Mid(final, g);
      for (int line : run.labels) add(LabelOf(st.ArrayInput[line]), target);
      add(LabelOf(final), target);
    } else {
      target = "GOTO " + LabelOf(final);
      for (int line : run.labels) add(LabelOf(st.ArrayInput[line]), target);
    }
  }
  if (static_cast<int>(out.table.size()) <= kMaxAliases) return true;
  NessunaIstruzione(st);
  SegnalaErrore(st, "Programma troppo complesso: superato il limite di " + Dec(kMaxAliases) +
                        " etichette da ottimizzare");
  return false;
}

// Phase 4, redirection: one look-up per line, so a chain of aliases is
// followed one step only.
void Redirect(CompileState& st, const std::vector<Alias>& table) {
  for (int i = 1; i <= st.NoInput; ++i) {
    std::string& line = st.ArrayInput[i];
    const int p = JumpPosition(line);
    if (p == 0) continue;
    const std::string_view jump = std::string_view(line).substr(static_cast<size_t>(p));
    for (const Alias& a : table) {
      if (a.key != jump) continue;
      line = Left(line, p) + a.replacement;
      break;
    }
  }
}

// Phase 5, removal of the label lines still standing alone. A label that a
// jump still names (a chain of aliases is followed one step only, and the
// interrupt dispatcher calls its handlers by name) stays.
void RemoveLabels(CompileState& st, const std::set<int>& keep) {
  std::unordered_set<std::string> named;
  auto collect = [&](const std::string& line) {
    const int p = JumpPosition(line);
    if (p > 0) named.insert(Trim(Mid(line, p + 6)));
  };
  for (int i = 1; i <= st.NoInput; ++i) collect(st.ArrayInput[i]);
  for (int k = 1; k <= st.NoINT; ++k) collect(st.ArrayINT[k]);
  for (int i = 1; i <= st.NoInput; ++i) {
    std::string& line = st.ArrayInput[i];
    if (!IsLabelLine(line) || keep.count(i) || named.count(LabelOf(line))) continue;
    line.clear();
  }
}

}  // namespace

void RisolviEtichette(CompileState& st) {
  MergeLabels(st);
  const std::vector<Run> runs = FindRuns(st);  // phase 2
  if (runs.empty()) return;
  Aliases aliases;
  if (!BuildAliases(st, runs, aliases)) return;
  Redirect(st, aliases.table);
  RemoveLabels(st, aliases.keep);
}

}  // namespace velmora
