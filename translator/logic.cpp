// SPDX-License-Identifier: GPL-3.0-or-later
// Bitwise assignments: target = left AND/XOR/OR right, and target = NOT(operand).
//
// One operator per statement, on one byte, with declared variables or numeric
// constants as operands. The operators are tried in the order AND, XOR, OR at
// their first occurrence; an operator whose operands fit no case is passed
// over for the next one, so an expression with two operators ends in
// "Errore di sintassi".
#include "logic.h"

#include <string>
#include <vector>

#include "assignment.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

struct Operatore {
  const char* keyword;  // with its surrounding blanks
  const char* mnemonic;
};

constexpr Operatore kOperatori[] = {{" AND ", "ANDWF "}, {" XOR ", "XORWF "}, {" OR ", "IORWF "}};

// target = left OP right at the first occurrence of the operator. Returns false,
// writing nothing, when the operands fit none of the three shapes:
//   both constants:           MOVLW left; MOVWF target; MOVLW right; OP target , F
//   variable and constant:    MOVLW right; OP left , W; MOVWF target
//   both variables:           MOVF left , W; OP right , W; MOVWF target
bool ProvaOperatore(CompileState& st, int i, const std::string& target, const std::string& expr,
                    const Operatore& op) {
  const int at = InStr(expr, op.keyword);
  if (at == 0) return false;
  std::string left = Trim(Left(expr, at - 1));
  std::string right = Trim(Mid(expr, at + Len(op.keyword)));
  if (IsNumber(left) && IsVariable(st, right)) std::swap(left, right);

  const std::string mnemonic = op.mnemonic;
  if (IsNumber(left) && IsNumber(right)) {
    const std::string a = HexOperando(st, left);
    if (st.Flag_Errore) return true;
    const std::string b = HexOperando(st, right);
    if (st.Flag_Errore) return true;
    ScriviRighe(st, i, {Ins("MOVLW " + a), Ins("MOVWF " + target), Ins("MOVLW " + b),
                        Ins(mnemonic + target + " , F")});
    return true;
  }
  if (IsVariable(st, left) && IsNumber(right)) {
    const std::string b = HexOperando(st, right);
    if (st.Flag_Errore) return true;
    ScriviRighe(st, i, {Ins("MOVLW " + b), Ins(mnemonic + left + " , W"), Ins("MOVWF " + target)});
    return true;
  }
  if (IsVariable(st, left) && IsVariable(st, right)) {
    ScriviRighe(st, i, {Ins("MOVF " + left + " , W"), Ins(mnemonic + right + " , W"), Ins("MOVWF " + target)});
    return true;
  }
  return false;
}

// target = NOT(operand):
//   operand = target:     COMF target , F
//   another variable:     COMF operand , W; MOVWF target
//   constant 0..255:      MOVLW k; MOVWF target; COMF target , F
void TraduciNot(CompileState& st, int i, const std::string& target, const std::string& expr) {
  if (!StartsWith(expr, "NOT(")) {
    SegnalaErrore(st, "Errore di sintassi");
    return;
  }
  if (!EndsWith(expr, ")")) {
    SegnalaErrore(st, "Controllare l'istruzione");
    return;
  }
  const std::string operand = Trim(Mid(expr, 5, Len(expr) - 5));
  if (IsVariable(st, operand)) {
    if (operand == target) {
      ScriviRighe(st, i, {Ins("COMF " + target + " , F")});
      return;
    }
    ScriviRighe(st, i, {Ins("COMF " + operand + " , W"), Ins("MOVWF " + target)});
    return;
  }
  if (!IsNumber(operand)) {
    SegnalaErrore(st, "Errore di sintassi");
    return;
  }
  const double v = Val(operand);
  if (v < 0 || v > 255) {
    SegnalaErrore(st, "Costante numerica troppo alta");
    return;
  }
  ScriviRighe(st, i, {Ins("MOVLW " + HexOperando(st, operand)), Ins("MOVWF " + target),
                      Ins("COMF " + target + " , F")});
}

}  // namespace

void TraduciLogica(CompileState& st, int line, int eqPos) {
  const std::string text = st.ArrayInput[line];
  Corrente(st, line);
  const std::string target = RTrim(Left(text, eqPos - 1));
  const std::string expr = LTrim(Mid(text, eqPos + 1));
  if (!IsVariable(st, target)) {
    SegnalaErrore(st, "Variabile non definita");
    return;
  }
  for (const auto& op : kOperatori)
    if (ProvaOperatore(st, line, target, expr, op)) return;
  TraduciNot(st, line, target, expr);
}

}  // namespace velmora
