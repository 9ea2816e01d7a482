// SPDX-License-Identifier: GPL-3.0-or-later
// DO ... LOOP lowered into labels, jumps and block IFs.
//
// One loop at a time, innermost first (the driver pairs them): the DO line
// becomes the top label, the LOOP line the exit label, and a WHILE or UNTIL
// condition on either line becomes an "IF <condition> THEN" ... "END IF"
// block that the IF pass translates later, so a loop condition is anything an
// IF condition can be. Every BREAK still in the loop (inner loops have taken
// theirs) becomes a jump to the exit label.
#include "do_loop.h"

#include <vector>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {


// NOT folded into the keyword: WHILE NOT c is UNTIL c, UNTIL NOT c is WHILE c,
// "DO NOT c" and "LOOP NOT c" are UNTIL c.
void RewriteNegations(std::string& doText, std::string& loopText) {
  ReplaceFirst(doText, "WHILE NOT ", "UNTIL ");
  ReplaceFirst(doText, "UNTIL NOT ", "WHILE ");
  ReplaceFirst(loopText, "WHILE NOT ", "UNTIL ");
  ReplaceFirst(loopText, "UNTIL NOT ", "WHILE ");
  if (StartsWith(doText, "DO NOT ")) doText = "DO UNTIL " + Mid(doText, 8);
  if (StartsWith(loopText, "LOOP NOT ")) loopText = "LOOP UNTIL " + Mid(loopText, 10);
}

// The lines that replace the DO line and the LOOP line for one form.
struct Form {
  Lines top;
  Lines bottom;
};

// T = top label, X = exit label; the five forms, top to bottom:
//   DO / LOOP                T: body GOTO T X:
//   DO / LOOP WHILE c        T: body IF c THEN GOTO T END IF X:
//   DO / LOOP UNTIL c        T: body IF c THEN BREAK END IF GOTO T X:
//   DO WHILE c / LOOP        T: IF c THEN body GOTO T END IF X:
//   DO UNTIL c / LOOP        T: IF c THEN GOTO X END IF body GOTO T X:
// False when the two lines make none of them.
bool ChooseForm(const std::string& doText, const std::string& loopText, const std::string& T,
                const std::string& X, Form& form) {
  const Lines top = {LabelLine(T)};
  if (doText == "DO") {
    if (loopText == "LOOP") {
      form = {top, {Goto(T), LabelLine(X)}};
      return true;
    }
    if (StartsWith(loopText, "LOOP WHILE ")) {
      const std::string c = Mid(loopText, 12);
      form = {top, {"IF " + c + " THEN", Goto(T), "END IF", LabelLine(X)}};
      return true;
    }
    if (StartsWith(loopText, "LOOP UNTIL ")) {
      const std::string c = Mid(loopText, 12);
      form = {top, {"IF " + c + " THEN", "BREAK", "END IF", Goto(T), LabelLine(X)}};
      return true;
    }
    return false;
  }
  if (loopText != "LOOP") return false;
  if (StartsWith(doText, "DO WHILE ")) {
    const std::string c = Mid(doText, 10);
    form = {{LabelLine(T), "IF " + c + " THEN"}, {Goto(T), "END IF", LabelLine(X)}};
    return true;
  }
  if (StartsWith(doText, "DO UNTIL ")) {
    const std::string c = Mid(doText, 10);
    form = {{LabelLine(T), "IF " + c + " THEN", Goto(X), "END IF"}, {Goto(T), LabelLine(X)}};
    return true;
  }
  return false;
}

// Every line exactly "BREAK" from `from` to `to` becomes GOTO X.
void ResolveBreaks(CompileState& st, int from, int to, const std::string& X) {
  for (int k = from; k <= to; ++k)
    if (st.ArrayInput[k] == "BREAK") st.ArrayInput[k] = Goto(X);
}

}  // namespace

void DoLoop(CompileState& st, int doLine, int loopLine) {
  std::string doText = st.ArrayInput[doLine];
  std::string loopText = st.ArrayInput[loopLine];
  RewriteNegations(doText, loopText);
  st.ArrayInput[doLine] = doText;
  st.ArrayInput[loopLine] = loopText;

  const std::string doCopy = doText;
  const std::string T = NuovaLabel(st);
  const std::string X = NuovaLabel(st);

  Form form;
  if (!ChooseForm(doText, loopText, T, X, form)) {
    ResolveBreaks(st, doLine, loopLine, X);
    st.IstruzioneCorrente = doCopy;
    st.RigaCorrente = st.ArrayInput.Source(doLine);
    SegnalaErrore(st, "Impossibile risolvere il ciclo Do While...LOOP");
    return;
  }

  // The LOOP side first, so that the DO line keeps its index.
  if (!ScriviRighe(st, loopLine, form.bottom)) return;
  if (!ScriviRighe(st, doLine, form.top)) return;
  const int last = loopLine + static_cast<int>(form.top.size() + form.bottom.size()) - 2;
  ResolveBreaks(st, doLine, last, X);
}

}  // namespace velmora
