// Assignments: target = expression, one byte at a time.
//
// The right-hand side is one of a fixed set of forms (a constant, a variable,
// one "+" or "-" of two operands, a built-in function, or a bitwise
// expression handed to TraduciLogica). The statement line becomes the first
// instruction and the rest go into a gap opened right after it. Every
// instruction addresses the first byte of the target, except a decimal-fraction
// constant, which fills the four bytes of a SINGLE or FLOAT.
//
// The file also holds the name tests IsNumber and IsSubroutine, the
// four-byte constant encoder ConvertiFloat and HexOperando, which every pass
// uses to write a constant operand.
#include "assignment.h"

#include <cmath>
#include <optional>
#include <vector>

#include "declarations.h"
#include "logic.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// Bytes of the data EEPROM of the PIC16F84.
constexpr int kEepromBytes = 64;


// The text between `open` (which `expr` begins with) and the first ")" after it, trimmed.
std::string Argomento(const std::string& expr, const std::string& open) {
  const int from = Len(open) + 1;
  const int close = InStr(expr, ")", from);
  if (close == 0) return Trim(Mid(expr, from));
  return Trim(Mid(expr, from, close - from));
}

// X = DIV10(Y): MOVF Y , W; CALL @@DV10; MOVWF X. The routine works in the
// first three dynamic bytes, so they are made to exist in FAT.
void TraduciDiv10(CompileState& st, int i, const std::string& target, const std::string& expr) {
  const std::string arg = Argomento(expr, "DIV10(");
  if (!IsVariable(st, arg)) {
    SegnalaErrore(st, "La funzione Div10() richiede una variabile come argomento");
    return;
  }
  std::string taken[3];
  for (auto& t : taken) {
    t = AcquisisciDinamica(st);
    if (st.Flag_Errore) return;
  }
  for (const auto& t : taken) RilasciaDinamica(st, t);
  if (!ScriviRighe(st, i, {Ins("MOVF " + arg + " , W"), Ins("CALL @@DV10"),
                           Ins("MOVWF " + target)}))
    return;
  st.Flag_Routine = true;
  st.Flag_DV10 = true;
}

// X = GETDATA(n): byte n (1-based) of the DATA table through @@GD. A constant
// index is checked against the table limit; a variable index is checked at
// run time against NoDATA, giving 0 outside 1..NoDATA.
void TraduciGetData(CompileState& st, int i, const std::string& target, const std::string& expr) {
  if (st.NoDATA == 0) {
    SegnalaErrore(st, "La funzione GetData() non può essere usata senza la definizione dell'istruzione DATA.");
    return;
  }
  const std::string arg = Argomento(expr, "GETDATA(");
  if (arg.empty()) {
    SegnalaErrore(st, "La funzione GetData() richiede un argomento numerico");
    return;
  }
  Lines lines;
  if (IsNumber(arg)) {
    const double v = Val(arg);
    if (v < 1 || v > 250) {
      SegnalaErrore(st, "Indice della funzione GetDATA() fuori range.");
      return;
    }
    lines = {Ins("MOVLW " + HexOperando(st, arg)), Ins("CALL @@GD"),
             Ins("MOVWF " + target)};
  } else if (IsVariable(st, arg)) {
    lines = {Ins("MovLW " + FormatHex(st.NoDATA + 1)),
             Ins("SubWF " + arg + " , W"),
             Ins("BTFSS Reg_Status, Flag_C"),
             Ins("Goto $+3"),
             Ins("CLRW"),
             Ins("Goto $+4"),
             Ins("MOVF " + arg + " , W"),
             Ins("BTFSS Reg_Status, Flag_Z"),
             Ins("CALL @@GD"),
             Ins("MOVWF " + target)};
  } else {
    SegnalaErrore(st, "Assegnazione GetData() non riconosciuta");
    return;
  }
  if (!ScriviRighe(st, i, lines)) return;
  st.Flag_Routine = true;
}

// X = READ(address): the data EEPROM byte at a constant or variable address through @@RD.
void TraduciRead(CompileState& st, int i, const std::string& target, const std::string& expr) {
  const std::string arg = Argomento(expr, "READ(");
  if (arg.empty()) {
    SegnalaErrore(st, "La funzione Read() richiede un argomento");
    return;
  }
  st.Flag_Routine = true;
  st.Flag_RD = true;
  std::string load;
  if (IsNumber(arg)) {
    const std::string hex = HexOperando(st, arg);
    if (st.Flag_Errore) return;
    const int address = ToInt16(Val(arg)).value_or(0);
    if (address < 0 || address >= kEepromBytes)
      SegnalaAvviso(st, "READ(" + arg + "): la EEPROM dati ha 64 byte (indirizzi da 0 a 63), l'indirizzo " +
                            Dec(address) + " non esiste e il valore letto non è quello atteso");
    load = Ins("MOVLW " + hex);
  } else if (IsVariable(st, arg)) {
    load = Ins("MOVF " + arg + " , W");
  } else {
    SegnalaErrore(st, "Sintassi non riconosciuta");
    return;
  }
  ScriviRighe(st, i, {load, Ins("CALL @@RD"), Ins("MOVWF " + target)});
}

// X = INPUT(B) reads the whole port; X = INPUT(B3) gives 1 when the line is high, else 0.
void TraduciInput(CompileState& st, int i, const std::string& target, const std::string& expr) {
  const std::string arg = Trim(Mid(expr, 7, Len(expr) - 7));
  if (arg.empty()) {
    SegnalaErrore(st, "La funzione Input() richiede un argomento, controllare");
    return;
  }
  if (IsPortLetter(arg)) {
    ScriviRighe(st, i, {Ins("MOVF Reg_Port" + arg + " , W"), Ins("MOVWF " + target)});
    return;
  }
  if (IsPortLine(arg)) {
    ScriviRighe(st, i, {Ins("CLRF " + target),
                        Ins("BTFSC Reg_Port" + arg.substr(0, 1) + " , Bit_" + arg.substr(1, 1)),
                        Ins("INCF " + target + " , F")});
    return;
  }
  SegnalaErrore(st, "Indicazione di Porta I/O non valida");
}

// F = 1.5 on a four-byte variable: MOVLW/MOVWF into F+0 .. F+3, exponent byte first.
void TraduciFloat(CompileState& st, int i, const std::string& target, const std::string& expr) {
  if (VariableSize(st, target) != 4) {
    SegnalaErrore(st, "Assegnazione floating non valida");
    return;
  }
  const std::string digits = ConvertiFloat(st, static_cast<float>(Val(expr)));
  if (st.Flag_Errore) return;
  Lines lines;
  for (int b = 0; b < 4; ++b) {
    lines.push_back(Ins("MOVLW 0x" + Mid(digits, 2 * b + 1, 2)));
    lines.push_back(Ins("MOVWF " + target + "+" + Dec(b)));
  }
  ScriviRighe(st, i, lines);
}

// A byte constant: -256..255, a negative value taken modulo 256. Empty after reporting.
std::optional<int> ByteCostante(CompileState& st, double value) {
  const auto v16 = ToInt16(value);
  int v = v16.value_or(-1000);
  if (v < 0) v += 256;
  if (!v16 || v < 0 || v > 255) {
    SegnalaErrore(st, "Costante numerica non ammessa");
    return std::nullopt;
  }
  return v;
}

// X = 5: CLRF X for zero, otherwise MOVLW and MOVWF.
void TraduciCostante(CompileState& st, int i, const std::string& target, const std::string& expr) {
  const auto v = ByteCostante(st, Val(expr));
  if (!v) return;
  if (*v == 0) {
    ScriviRighe(st, i, {Ins("CLRF " + target)});
    return;
  }
  ScriviRighe(st, i, {Ins("MOVLW " + FormatHex(*v)), Ins("MOVWF " + target)});
}

// X = left + right and X = left - right with constant or variable operands.
void TraduciSomma(CompileState& st, int i, const std::string& target, const std::string& expr) {
  const int plus = InStr(expr, "+");
  const int minus = InStr(expr, "-");
  if (plus > 0 && minus > 0) {
    SegnalaErrore(st, "Struttura algebrica complessa");
    return;
  }
  if (plus == 0 && minus == 0) {
    if (InStr(expr, "*") > 0 && InStr(expr, "/") > 0)
      SegnalaErrore(st, "Espressione algebrica complessa");
    else
      SegnalaErrore(st, "Variabile o Espressione algebrica non definita");
    return;
  }
  const bool add = plus > 0;
  const int at = add ? plus : minus;
  const std::string left = Trim(Left(expr, at - 1));
  const std::string right = Trim(Mid(expr, at + 1));

  if (!IsNumber(right)) {
    if (!IsVariable(st, right) || (!IsNumber(left) && !IsVariable(st, left))) {
      SegnalaErrore(st, "Variabile non definita");
      return;
    }
    if (IsVariable(st, left)) {
      ScriviRighe(st, i, {Ins("MOVF " + right + " , W"), Ins((add ? "ADDWF " : "SUBWF ") + left + " , W"),
                          Ins("MOVWF " + target)});
      return;
    }
    const std::string k = HexOperando(st, left);
    if (st.Flag_Errore) return;
    if (!add) {
      ScriviRighe(st, i, {Ins("MOVF " + right + " , W"), Ins("SUBLW " + k), Ins("MOVWF " + target)});
      return;
    }
    if (target == right) {
      ScriviRighe(st, i, {Ins("MOVLW " + k), Ins("ADDWF " + target + " , F")});
      return;
    }
    ScriviRighe(st, i, {Ins("MOVLW " + k), Ins("ADDWF " + right + " , W"), Ins("MOVWF " + target)});
    return;
  }

  if (IsNumber(left)) {
    // Both constants: folded at translation time.
    const auto a = ToInt16(Val(left));
    const auto b = ToInt16(Val(right));
    if (!a || !b) {
      SegnalaErrore(st, "Costante numerica non ammessa");
      return;
    }
    const auto v = ByteCostante(st, add ? Val(left) + Val(right) : Val(left) - Val(right));
    if (!v) return;
    if (*v == 0) {
      ScriviRighe(st, i, {Ins("CLRF " + target)});
      return;
    }
    ScriviRighe(st, i, {Ins("MovLW " + FormatHex(*v)), Ins("MovWF " + target)});
    return;
  }
  const std::string k = HexOperando(st, right);
  if (st.Flag_Errore) return;
  if (left == target) {
    if (add && ToInt16(Val(right)) == 1) {
      ScriviRighe(st, i, {Ins("INCF " + target + " , F")});
      return;
    }
    ScriviRighe(st, i, {Ins("MOVLW " + k), Ins((add ? "ADDWF " : "SUBWF ") + target + " , F")});
    return;
  }
  if (!IsVariable(st, left)) {
    SegnalaErrore(st, "Variabile non definita");
    return;
  }
  ScriviRighe(st, i, {Ins("MOVLW " + k), Ins((add ? "ADDWF " : "SUBWF ") + left + " , W"),
                      Ins("MOVWF " + target)});
}

}  // namespace

void TraduciAssegnazione(CompileState& st, int line, int eqPos) {
  const std::string text = st.ArrayInput[line];
  Corrente(st, line);
  if (InStr(text, " AND ") > 0 || InStr(text, " OR ") > 0 || InStr(text, " XOR ") > 0 ||
      InStr(text, "NOT(") > 0) {
    TraduciLogica(st, line, eqPos);
    return;
  }
  const std::string target = Trim(Left(text, eqPos - 1));
  std::string expr = Trim(Mid(text, eqPos + 1));
  if (StartsWith(expr, "+")) expr = Mid(expr, 2);
  if (!IsVariable(st, target)) {
    SegnalaErrore(st, "Variabile non definita");
    return;
  }

  if (expr == "RND()" || expr == "RND") {
    ScriviRighe(st, line, {Ins("Movf Reg_Tmr0 , W"), Ins("Movwf " + target)});
    return;
  }
  if (expr == "FLAG_CARRY" || expr == "FLAG_ZERO") {
    const std::string flag = expr == "FLAG_CARRY" ? "Flag_C" : "Flag_Z";
    ScriviRighe(st, line, {Ins("CLRF " + target), Ins("BTFSC Reg_Status , " + flag),
                           Ins("INCF " + target + " , F")});
    return;
  }
  if (StartsWith(expr, "DIV10(")) {
    TraduciDiv10(st, line, target, expr);
    return;
  }
  if (StartsWith(expr, "DIV10R(")) {
    ScriviRighe(st, line, {Ins("CALL @@DV10C"), Ins("MOVWF " + target)});
    return;
  }
  if (StartsWith(expr, "GETDATA(")) {
    TraduciGetData(st, line, target, expr);
    return;
  }
  if (StartsWith(expr, "READ(")) {
    TraduciRead(st, line, target, expr);
    return;
  }
  if (StartsWith(expr, "INPUT(")) {
    TraduciInput(st, line, target, expr);
    return;
  }
  if (IsNumber(expr) && InStr(expr, ".") > 0) {
    TraduciFloat(st, line, target, expr);
    return;
  }
  if (IsNumber(expr)) {
    TraduciCostante(st, line, target, expr);
    return;
  }
  if (IsVariable(st, expr)) {
    ScriviRighe(st, line, {Ins("MOVF " + expr + " , W"), Ins("MOVWF " + target)});
    return;
  }
  TraduciSomma(st, line, target, expr);
}

bool IsNumber(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  if (StartsWith(t, "&H")) return true;
  // Canonical texts begin with a digit, "-" or "."; short digit runs are
  // canonical exactly when they have no leading zero (the common case, read
  // without formatting the value back).
  const char c = t[0];
  if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',')) return false;
  if (t.size() <= 9 && t.find_first_not_of("0123456789") == std::string::npos) return t.size() == 1 || c != '0';
  ReplaceFirst(t, ",", ".");
  return t == CanonicalNumber(Val(t));
}

bool IsSubroutine(const CompileState& st, const std::string& name) {
  for (int k = 1; k <= st.NoSUB; ++k) {
    const SubRow& row = st.ArraySUB[k];
    if (row.name == name || row.name + row.count == name) return true;
  }
  return false;
}

std::string ConvertiFloat(CompileState& st, double value) {
  if (value == 0) return "00000000";
  const char sign = value < 0 ? '1' : '0';
  const double magnitude = std::fabs(value);
  const double whole = std::trunc(magnitude);
  if (whole > 255) {
    SegnalaErrore(st, "Numero decimale con parte intera è > 255");
    return "00000000";
  }
  const int intPart = static_cast<int>(whole);
  float fraction = static_cast<float>(magnitude - whole);

  std::string intDigits;
  for (int v = intPart; v > 0; v /= 2) intDigits.insert(intDigits.begin(), static_cast<char>('0' + v % 2));
  std::string fracDigits;
  for (int k = 0; k < 23; ++k) {
    fraction *= 2;
    if (fraction >= 1) {
      fracDigits += '1';
      fraction -= 1;
    } else {
      fracDigits += '0';
    }
  }

  int exponent = 0;
  std::string mantissa;
  if (intPart >= 1) {
    exponent = Len(intDigits) - 1;
    mantissa = intDigits.substr(1) + fracDigits;
  } else if (const int k = InStr(fracDigits, "1"); k > 0) {
    exponent = -k;
    mantissa = Mid(fracDigits, k + 1);
  }
  mantissa = Left(mantissa + std::string(23, '0'), 23);

  std::string bits;
  for (int b = 7, e = exponent + 127; b >= 0; --b) bits += static_cast<char>('0' + ((e >> b) & 1));
  bits += sign;
  bits += mantissa;

  std::string hex;
  for (int nibble = 0; nibble < 8; ++nibble) {
    int v = 0;
    for (int b = 0; b < 4; ++b) v = v * 2 + (bits[static_cast<size_t>(nibble * 4 + b)] - '0');
    hex += "0123456789ABCDEF"[v];
  }
  return hex;
}

std::string HexOperando(CompileState& st, const std::string& text) {
  const auto v = ToInt16(Val(text));
  if (!v) {
    SegnalaErrore(st, "Costante numerica non ammessa");
    return {};
  }
  return FormatHex(*v);
}

void TraduciAssegnazioni(CompileState& st) {
  // DIV10R reads the remainder @@DV10 leaves, and its routine @@DV10C is
  // written only with @@DV10: without a DIV10 the program does not assemble.
  std::optional<int> remainderLine;
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (IsFinished(line)) continue;
    const int eq = InStr(line, "=");
    if (eq == 0) continue;
    if (!remainderLine && StartsWith(Trim(Mid(line, eq + 1)), "DIV10R(")) remainderLine = st.ArrayInput.Source(i);
    TraduciAssegnazione(st, i, eq);
    if (st.Flag_Errore) return;
  }
  if (remainderLine && !st.Flag_DV10)
    st.Avvisi.push_back({*remainderLine, "DIV10R senza DIV10: la routine che dà il resto viene scritta solo insieme "
                                         "a quella di DIV10, e l'assemblatore segnala @@DV10C come simbolo non definito",
                         {}});
}

}  // namespace velmora
