// SPDX-License-Identifier: GPL-3.0-or-later
// FOR ... NEXT lowered into fixed instruction blocks or general BASIC lines.
//
// One loop at a time, innermost first (the driver pairs them). When the bounds
// and the step are known well enough, the loop becomes a fixed block: the
// start is loaded, the body runs, the step is added with a test of the carry
// for a byte that wrapped, and the variable is compared with the end. Any
// other loop becomes an assignment, the top label and, at NEXT, the step
// assignment and block IFs that the assignment and IF passes finish later.
// BREAK directly in the body (not inside a DO ... LOOP of the body, which the
// DO lowering resolves afterwards) jumps to the loop's exit label.
#include "for_next.h"

#include <optional>
#include <vector>

#include "assignment.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

const std::string kBtfscC = Ins("BTFSC Reg_Status , Flag_C");
const std::string kBtfssC = Ins("BTFSS Reg_Status , Flag_C");
const std::string kBtfscZ = Ins("BTFSC Reg_Status , Flag_Z");
const std::string kOverflow = Ins("BTFSC Reg_Status , Flag_C  ;Overflow?");

// The parts of "FOR v = start TO end [STEP step]".
struct ForParts {
  std::string var, start, end, step;
  bool startConst = false, endConst = false, stepConst = false;
  bool startVar = false, endVar = false;
  double s = 0, e = 0;     // constant bounds, compared as written
  std::optional<int> k;    // constant step rounded to 16 bits
};

// The byte loaded for a constant bound or step.
std::string ConstantByte(double v) { return FormatHex(ToInt16(v).value_or(0)); }

// The load of a bound into W: MOVLW for a constant, MOVF for a variable.
std::string LoadBound(bool isConst, double value, const std::string& text) {
  return isConst ? Ins("MOVLW " + ConstantByte(value)) : Ins("MOVF " + text + " , W");
}

// A constant bound the byte loop can reach: 0 to 255 once rounded.
bool OutOfByteRange(double v) {
  const auto r = ToInt16(v);
  return !r || *r > 255;
}

// Counts DO ... LOOP nesting from line `from` to `to` and turns each BREAK at
// depth 0 into a jump to the exit label, which `exitLabel` supplies on first use.
template <typename ExitLabel>
void ResolveBreaks(CompileState& st, int from, int to, ExitLabel exitLabel) {
  int depth = 0;
  for (int k = from; k <= to; ++k) {
    const std::string& line = st.ArrayInput[k];
    if (line == "DO" || StartsWith(line, "DO ")) {
      ++depth;
    } else if (StartsWith(line, "LOOP")) {
      --depth;
    } else if (depth == 0 && line == "BREAK") {
      const std::string X = exitLabel();
      if (st.Flag_Errore) return;
      st.ArrayInput[k] = Goto(X);
    }
  }
}

enum class Kind { FixedUp, FixedDown, General, Error };

// Which lowering the parts allow; bounds and step outside the fixed forms of a
// constant loop are an error, a variable loop falls to the general form.
Kind ChooseKind(const ForParts& f) {
  if (!f.stepConst) return Kind::General;
  const bool up = f.k && *f.k >= 1 && *f.k <= 127;
  const bool down = f.k && *f.k >= -126 && *f.k <= -1;
  if (f.startConst && f.endConst) {
    if (f.s >= 0 && f.s < f.e && up) return Kind::FixedUp;
    if (f.e >= 0 && f.s > f.e && down) return Kind::FixedDown;
    return Kind::Error;
  }
  if (f.startVar && f.endConst) {
    if (f.e >= 0 && up) return Kind::FixedUp;
    if (f.e >= 0 && down) return Kind::FixedDown;
    return Kind::Error;
  }
  if (f.startConst && f.endVar && f.s >= 0) {
    if (up) return Kind::FixedUp;
    if (down) return Kind::FixedDown;
  }
  return Kind::General;
}

// FOR v = s TO e STEP k (fixed forms) becomes
//   <load s> / MOVWF v / T: / body /
//   MOVLW k / ADDWF v , F / <carry test> / GOTO X /
//   <load e> / SUBWF v , W / BTFSC Z / GOTO T / <BTFSS C up, BTFSC C down> / GOTO T / X:
// The carry test after the addition leaves the loop when the byte wrapped: the
// ";Overflow?" line when both bounds are constants, otherwise plain BTFSC C
// going up, BTFSS C going down.
void LowerFixed(CompileState& st, int forLine, int nextLine, const ForParts& f, bool up) {
  const std::string T = NuovaLabel(st);
  const std::string X = NuovaLabel(st);
  const Lines bottom = {
      Ins("MOVLW " + FormatHex(*f.k)),
      Ins("ADDWF " + f.var + " , F"),
      up ? (f.startConst && f.endConst ? kOverflow : kBtfscC) : kBtfssC,
      Goto(X),
      LoadBound(f.endConst, f.e, f.end),
      Ins("SUBWF " + f.var + " , W"),
      kBtfscZ,
      Goto(T),
      up ? kBtfssC : kBtfscC,
      Goto(T),
      LabelLine(X)};
  const Lines top = {LoadBound(f.startConst, f.s, f.start), Ins("MOVWF " + f.var), LabelLine(T)};
  if (!ScriviRighe(st, nextLine, bottom)) return;
  if (!ScriviRighe(st, forLine, top)) return;
  const int nextBlock = nextLine + static_cast<int>(top.size()) - 1;
  ResolveBreaks(st, forLine, nextBlock, [&] { return X; });
}

// FOR v = a TO b [STEP s] (general forms) becomes "v = a" / T: / body / and
//   step > 0:     v = v + s / IF v <= b THEN / GOTO T / END IF
//   step < 0:     v = v-s / IF v >= b THEN / GOTO T / END IF
//   variable s:   v = v + s / IF s >0 THEN / IF v <= b THEN / GOTO T / END IF /
//                 ELSE / IF v >= b THEN / GOTO T / END IF / END IF
// followed by the exit label X only when the body has a BREAK.
void LowerGeneral(CompileState& st, int forLine, int nextLine, const ForParts& f) {
  const std::string T = NuovaLabel(st);
  const std::string& v = f.var;
  Lines bottom;
  if (!f.stepConst) {
    bottom = {v + " = " + v + " + " + f.step, "IF " + f.step + " >0 THEN",
              "IF " + v + " <= " + f.end + " THEN", Goto(T), "END IF", "ELSE",
              "IF " + v + " >= " + f.end + " THEN", Goto(T), "END IF", "END IF"};
  } else if (Val(f.step) > 0) {
    bottom = {v + " = " + v + " + " + f.step, "IF " + v + " <= " + f.end + " THEN", Goto(T), "END IF"};
  } else {
    bottom = {v + " = " + v + f.step, "IF " + v + " >= " + f.end + " THEN", Goto(T), "END IF"};
  }
  const Lines top = {v + " = " + f.start, LabelLine(T)};
  if (!ScriviRighe(st, nextLine, bottom)) return;
  if (!ScriviRighe(st, forLine, top)) return;
  const int last = nextLine + static_cast<int>(top.size() + bottom.size()) - 2;

  std::string X;
  ResolveBreaks(st, forLine, last, [&] {
    if (!X.empty()) return X;
    X = NuovaLabel(st);
    if (InserisciRighe(st, last + 1, 1)) st.ArrayInput[last + 1] = LabelLine(X);
    return X;
  });
}

// Reads and checks the FOR and NEXT lines; false after reporting.
bool ParseFor(CompileState& st, int forLine, int nextLine, ForParts& f) {
  const std::string forText = st.ArrayInput[forLine];
  st.RigaCorrente = st.ArrayInput.Source(forLine);
  const int eq = InStr(forText, "=");
  if (eq == 0) {
    st.IstruzioneCorrente = forText;
    SegnalaErrore(st, "Controllare il ciclo For...Next, manca il segno di uguale");
    return false;
  }
  f.var = RTrim(Mid(forText, 5, eq - 5));
  const std::string nextText = st.ArrayInput[nextLine];
  if (LTrim(Mid(nextText, 5)) != f.var) {
    Corrente(st, nextLine);
    SegnalaErrore(st, "Controllare l'istruzione di chiusura del ciclo For...Next");
    return false;
  }
  if (!IsVariable(st, f.var)) {
    st.IstruzioneCorrente = f.var;
    SegnalaErrore(st, "Variabile non definita");
    return false;
  }
  const int to = InStr(forText, " TO ", eq + 1);
  if (to == 0) {
    st.IstruzioneCorrente = forText;
    SegnalaErrore(st, "Controllare il ciclo For...Next, manca il 'TO'");
    return false;
  }
  const int stepPos = InStr(forText, " STEP ", to + 4);
  f.start = Trim(Mid(forText, eq + 1, to - eq - 1));
  f.end = Trim(stepPos > 0 ? Mid(forText, to + 4, stepPos - to - 4) : Mid(forText, to + 4));
  f.step = stepPos > 0 ? Mid(forText, stepPos + 6) : "1";
  ReplaceFirst(f.step, "+", " ");
  f.step = Trim(f.step);

  f.startConst = IsNumber(f.start);
  f.endConst = IsNumber(f.end);
  f.stepConst = IsNumber(f.step);
  f.startVar = IsVariable(st, f.start);
  f.endVar = IsVariable(st, f.end);
  f.s = Val(f.start);
  f.e = Val(f.end);
  f.k = ToInt16(Val(f.step));

  st.IstruzioneCorrente = forText;
  if ((f.startConst && OutOfByteRange(f.s)) || (f.endConst && OutOfByteRange(f.e))) {
    SegnalaErrore(st, "Ciclo For...Next: i valori iniziale e finale costanti devono essere compresi "
                      "tra 0 e 255");
    return false;
  }
  if (f.stepConst && f.k && *f.k == 0) {
    SegnalaErrore(st, "Ciclo For...Next con STEP 0: il ciclo non terminerebbe mai");
    return false;
  }
  return true;
}

}  // namespace

void ForNext(CompileState& st, int forLine, int nextLine) {
  ForParts f;
  if (!ParseFor(st, forLine, nextLine, f)) return;
  switch (ChooseKind(f)) {
    case Kind::FixedUp:
      LowerFixed(st, forLine, nextLine, f, true);
      return;
    case Kind::FixedDown:
      LowerFixed(st, forLine, nextLine, f, false);
      return;
    case Kind::General:
      LowerGeneral(st, forLine, nextLine, f);
      return;
    case Kind::Error:
      SegnalaErrore(st, "Controllare l'istruzione FOR...NEXT");
      return;
  }
}

}  // namespace velmora
