// SPDX-License-Identifier: GPL-3.0-or-later
// Comparison conditions and IF blocks.
//
// Translates one block "IF <condition> THEN" / [ELSE] / "END IF" at a time:
// the ELSE and END IF lines become labels and a jump, and the IF line becomes
// the code that falls through into the THEN body when the condition holds and
// jumps to the false label when it does not. The body lines are left to the
// other passes. A condition is one comparison of a variable with a constant or
// a variable, a test of the carry or zero flag, or a test of an input port or
// line read through INPUT(); comparisons are unsigned, except those of a
// variable or port with the constant 0 by "<", "<=", ">", ">=", which look at
// bit 7 as the sign.
#include "if_blocks.h"

#include <vector>

#include "assignment.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// The instruction lines every condition is made of.
std::string MovF(const std::string& v) { return Ins("MOVF " + v + " , W"); }
std::string MovLW(const std::string& k) { return Ins("MOVLW " + k); }
std::string SubLW(const std::string& k) { return Ins("SUBLW " + k); }
std::string SubWF(const std::string& v) { return Ins("SUBWF " + v + " , W"); }
std::string RlF(const std::string& v) { return Ins("RLF " + v + " , W"); }
std::string Port(const std::string& p) { return "Reg_Port" + p; }
const std::string kBtfscZ = Ins("BTFSC Reg_Status , Flag_Z");
const std::string kBtfssZ = Ins("BTFSS Reg_Status , Flag_Z");
const std::string kBtfscC = Ins("BTFSC Reg_Status , Flag_C");
const std::string kBtfssC = Ins("BTFSS Reg_Status , Flag_C");
const std::string kSkip3 = Ins("GOTO $+3");
const std::string kSkip4 = Ins("GOTO $+4");

// Everything one condition needs to know: the IF line, where its operator and
// " THEN" stand, the false label, and the label counter for a true label.
struct Condition {
  CompileState& st;
  std::string line;
  OperatorFound op;
  int thenPos = 0;
  std::string falseLabel;

  // The trimmed text between the end of the operator and " THEN".
  std::string Right() const {
    const int from = op.pos + op.len;
    const int to = thenPos > 0 ? thenPos : Len(line) + 1;
    return Trim(Mid(line, from, to - from));
  }
  // The trimmed text between "IF " and the operator.
  std::string Left() const { return Trim(Mid(line, 4, op.pos - 4)); }
};

// Variable v against a non-zero constant k (unsigned). "<=" and ">=" take the
// true label L3 and end with its label line.
Lines VariableConstant(Condition& c, const std::string& v, const std::string& k) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  if (op == "=") return {MovF(v), SubLW(k), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(v), SubLW(k), kBtfscZ, Goto(L1)};
  if (op == "<") return {MovLW(k), SubWF(v), kBtfscZ, Goto(L1), kBtfscC, Goto(L1)};
  if (op == ">") return {MovLW(k), SubWF(v), kBtfscZ, Goto(L1), kBtfssC, Goto(L1)};
  const std::string L3 = NuovaLabel(c.st);
  const std::string& carryTest = op == "<=" ? kBtfscC : kBtfssC;
  return {MovLW(k), SubWF(v), kBtfscZ, Goto(L3), carryTest, Goto(L1), LabelLine(L3)};
}

// Variable v against the constant 0: RLF copies bit 7 into the carry, so the
// ordering tests are signed.
Lines VariableZero(Condition& c, const std::string& v) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  if (op == "=") return {MovF(v), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(v), kBtfscZ, Goto(L1)};
  if (op == "<") return {MovF(v), kBtfscZ, Goto(L1), RlF(v), kBtfssC, Goto(L1)};
  if (op == ">") return {MovF(v), kBtfscZ, Goto(L1), RlF(v), kBtfscC, Goto(L1)};
  const std::string L3 = NuovaLabel(c.st);
  const std::string& signTest = op == "<=" ? kBtfssC : kBtfscC;
  return {MovF(v), kBtfscZ, Goto(L3), RlF(v), signTest, Goto(L1), LabelLine(L3)};
}

// Variable a (left) against variable b (right), unsigned.
Lines VariableVariable(Condition& c, const std::string& a, const std::string& b) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  if (op == "=") return {MovF(a), SubWF(b), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(a), SubWF(b), kBtfscZ, Goto(L1)};
  if (op == "<") return {MovF(b), SubWF(a), kBtfscZ, Goto(L1), kBtfscC, Goto(L1)};
  if (op == ">") return {MovF(b), SubWF(a), kBtfscZ, Goto(L1), kBtfssC, Goto(L1)};
  const std::string L3 = NuovaLabel(c.st);
  const std::string& carryTest = op == "<=" ? kBtfscC : kBtfssC;
  return {MovF(b), SubWF(a), kBtfscZ, Goto(L3), carryTest, Goto(L1), LabelLine(L3)};
}

// Port p against a non-zero constant k (unsigned); "<=" and ">=" skip the
// carry test with a relative jump instead of a true label.
Lines PortConstant(const Condition& c, const std::string& p, const std::string& k) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  const std::string port = Port(p);
  if (op == "=") return {MovLW(k), SubWF(port), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(port), SubLW(k), kBtfscZ, Goto(L1)};
  if (op == "<") return {MovLW(k), SubWF(port), kBtfscZ, Goto(L1), kBtfscC, Goto(L1)};
  if (op == ">") return {MovLW(k), SubWF(port), kBtfscZ, Goto(L1), kBtfssC, Goto(L1)};
  if (op == "<=") return {MovLW(k), SubWF(port), kBtfscZ, kSkip3, kBtfscC, Goto(L1)};
  return {MovLW(k), SubWF(port), kBtfscZ, kSkip3, kBtfssC, Goto(L1)};
}

// Port p against the constant 0: bit 7 of the port is the sign.
Lines PortZero(const Condition& c, const std::string& p) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  const std::string port = Port(p);
  const std::string signSet = Ins("BTFSC " + port + " , Bit_7");
  const std::string signClear = Ins("BTFSS " + port + " , Bit_7");
  if (op == "=") return {MovF(port), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(port), kBtfscZ, Goto(L1)};
  if (op == "<") return {signClear, Goto(L1)};
  if (op == ">") return {MovF(port), kBtfscZ, Goto(L1), signSet, Goto(L1)};
  if (op == "<=") return {MovF(port), kBtfscZ, kSkip3, signClear, Goto(L1)};
  return {MovF(port), kBtfscZ, kSkip3, signSet, Goto(L1)};
}

// Port p against variable v: SUBWF v leaves v - port in W.
Lines PortVariable(const Condition& c, const std::string& p, const std::string& v) {
  const std::string& L1 = c.falseLabel;
  const std::string& op = c.op.op;
  const std::string port = Port(p);
  if (op == "=") return {MovF(port), SubWF(v), kBtfssZ, Goto(L1)};
  if (op == "<>") return {MovF(port), SubWF(v), kBtfscZ, Goto(L1)};
  if (op == "<") return {MovF(port), SubWF(v), kBtfscZ, Goto(L1), kBtfssC, Goto(L1)};
  if (op == ">") return {MovF(port), SubWF(v), kBtfscZ, Goto(L1), kBtfscC, Goto(L1)};
  if (op == "<=") return {MovF(port), SubWF(v), kBtfscZ, kSkip3, kBtfssC, Goto(L1)};
  return {MovF(port), SubWF(v), kBtfscZ, kSkip3, kBtfscC, Goto(L1)};
}

// "IF FLAG_CARRY THEN", "IF FLAG_ZERO = 0 THEN" and the like: true while the
// flag is set, or while it is clear when compared "= 0".
Lines FlagCondition(const Condition& c, const std::string& flag) {
  const bool whenClear = c.op.found && c.op.op == "=" && c.Right() == "0";
  const std::string test = whenClear ? "BTFSC" : "BTFSS";
  return {Ins(test + " Reg_Status , " + flag), Goto(c.falseLabel)};
}

// The constant's value as the comparison reads it: zero selects the signed
// forms; the text itself goes through HexOperando for the emitted byte.
bool IsZeroConstant(const std::string& k) {
  const auto v = ToInt16(Val(k));
  return v && *v == 0;
}

// A constant compared with a byte outside 0-255: the comparison reads only its
// low byte, as the dialect defines (X = 300 is refused, IF X = 300 is not),
// so the condition is not what it says. The output stays as it is.
void WarnWideConstant(CompileState& st, const std::string& k) {
  const auto v = ToInt16(Val(k));
  if (v && (*v < 0 || *v > 255))
    SegnalaAvviso(st, "il confronto con la costante " + k + " usa solo il suo byte basso, " + Dec(*v & 255) +
                          ": un byte vale da 0 a 255");
}

// A condition that reads INPUT(port) or INPUT(line), with the false label.
// An operator before INPUT( swaps the operands first, mirroring the operator.
Lines InputCondition(Condition& c) {
  CompileState& st = c.st;
  st.IstruzioneCorrente = c.line;
  const int p = InStr(c.line, "INPUT(");
  const int q = p > 0 ? InStr(c.line, ")", p + 5) : 0;
  if (p == 0 || q == 0) {
    SegnalaErrore(st, "Errato bilancimaneto delle parentesi");
    return {};
  }
  const std::string arg = Trim(Mid(c.line, p + 6, q - p - 6));
  if (arg.empty()) {
    SegnalaErrore(st, "La funzione Input() richiede un argomento (Port/Line)");
    return {};
  }
  const bool isPort = IsPortLetter(arg);
  const bool isLine = IsPortLine(arg);
  const std::string L1 = c.falseLabel;

  c.op = FindOperator(c.line);
  if (!c.op.found) {
    if (isLine) return {Ins("BTFSS " + Port(arg.substr(0, 1)) + " , Bit_" + arg.substr(1)), Goto(L1)};
    if (isPort) return {MovF(Port(arg)), kBtfscZ, Goto(L1)};
    SegnalaErrore(st, "Sintassi non valida");
    return {};
  }

  if (c.op.pos < p) {
    static const struct { const char* op; const char* mirror; } kMirror[] = {
        {"<>", "<>"}, {"<=", ">="}, {">=", "<="}, {"=", "= "}, {"<", "> "}, {">", "< "}};
    std::string mirror;
    for (const auto& m : kMirror)
      if (c.op.op == m.op) mirror = m.mirror;
    const int from = c.op.pos + c.op.len;
    const int to = c.thenPos > 0 ? c.thenPos : Len(c.line) + 1;
    c.line = "IF " + Mid(c.line, from, to - from) + mirror + Mid(c.line, 4, c.op.pos - 4) + " THEN";
    c.thenPos = InStr(c.line, " THEN");
    c.op = FindOperator(c.line);
  }
  const std::string right = c.Right();

  if (isPort) {
    if (IsNumber(right)) {
      WarnWideConstant(st, right);
      if (IsZeroConstant(right)) return PortZero(c, arg);
      const std::string k = HexOperando(st, right);
      if (st.Flag_Errore) return {};
      return PortConstant(c, arg, k);
    }
    if (IsVariable(st, right)) return PortVariable(c, arg, right);
    SegnalaErrore(st, "Impossibiler risolvere l'istruzione");
    return {};
  }
  if (!isLine) {
    SegnalaErrore(st, "Impossibiler risolvere l'istruzione");
    return {};
  }

  if (c.op.op != "=") {
    SegnalaErrore(st, "Assegnazione non valida, è ammesso solo il segno di uguale per le linee di I/O");
    return {};
  }
  const std::string bit = Port(arg.substr(0, 1)) + " , Bit_" + arg.substr(1);
  const std::string whenHigh = Ins("BTFSS " + bit);
  const std::string whenLow = Ins("BTFSC " + bit);
  if (IsNumber(right)) return {right == "1" ? whenHigh : whenLow, Goto(L1)};
  if (IsVariable(st, right))
    return {MovF(right), kBtfssZ, kSkip4, whenLow, Goto(L1), kSkip3, whenHigh, Goto(L1)};
  SegnalaErrore(st, "Tipo di assegnazione non valida");
  return {};
}

// The condition of the IF line as lines that fall through when it holds and
// jump to the false label when it does not; empty after an error.
Lines ConditionLines(Condition& c) {
  CompileState& st = c.st;
  if (InStr(c.line, "INPUT(") > 0) return InputCondition(c);
  if (InStr(c.line, " FLAG_CARRY") > 0) return FlagCondition(c, "Flag_C");
  if (InStr(c.line, " FLAG_ZERO") > 0) return FlagCondition(c, "Flag_Z");
  if (!c.op.found) {
    SegnalaErrore(st, "Controllare l'istruzione");
    return {};
  }
  const std::string left = c.Left();
  const std::string right = c.Right();
  if (!IsVariable(st, left)) {
    SegnalaErrore(st, "Variabile non definita ", left);
    return {};
  }
  if (IsNumber(right)) {
    WarnWideConstant(st, right);
    if (IsZeroConstant(right)) return VariableZero(c, left);
    const std::string k = HexOperando(st, right);
    if (st.Flag_Errore) return {};
    return VariableConstant(c, left, k);
  }
  if (IsVariable(st, right)) return VariableVariable(c, left, right);
  SegnalaErrore(st, "Variabile non definita");
  return {};
}

}  // namespace

OperatorFound FindOperator(const std::string& text) {
  for (const char* op : {"<>", "<=", ">="}) {
    const int pos = InStr(text, op);
    if (pos > 0) return {true, op, pos, 2};
  }
  for (const char* op : {"=", "<", ">"}) {
    const int pos = InStr(text, op);
    if (pos > 0) return {true, op, pos, 1};
  }
  return {};
}

// IF c THEN / A / [ELSE / B /] END IF becomes
//   <condition, jumping to L1 when false> / A / [GOTO L2 / L1: / B / L2:] or
//   <condition> / A / L1:
// Labels are taken L1, then L2 (with ELSE), then L3 (comparisons "<=", ">=").
void IfTranslator(CompileState& st, int ifLine, int endIfLine, int elseLine) {
  Condition c{st, st.ArrayInput[ifLine], {}, 0, {}};
  Corrente(st, ifLine);
  c.thenPos = InStr(c.line, " THEN");
  c.op = FindOperator(c.line);
  c.falseLabel = NuovaLabel(st);

  if (elseLine > ifLine && elseLine < endIfLine) {
    const std::string endLabel = NuovaLabel(st);
    st.ArrayInput[elseLine] = LabelLine(c.falseLabel);
    st.ArrayInput[endIfLine] = LabelLine(endLabel);
    if (!InserisciRighe(st, elseLine, 1)) return;
    st.ArrayInput[elseLine] = Goto(endLabel);
  } else {
    st.ArrayInput[endIfLine] = LabelLine(c.falseLabel);
  }

  const Lines lines = ConditionLines(c);
  if (st.Flag_Errore || lines.empty()) return;
  ScriviRighe(st, ifLine, lines);
}

}  // namespace velmora
