// SPDX-License-Identifier: GPL-3.0-or-later
// Interrupt and timer statements, handed over by the statement dispatcher.
//
// ON ... INTERRUPT CALL produces no code in place: it appends a block to the
// interrupt dispatcher ArrayINT (test the source's flag in INTCON, call the
// SUB, clear the flag, jump to the handler's common end label) and sets the
// flags that make the assembly writer emit the handler and enable the source
// at start-up. SET INIT TIMER TO records the reload value of timer 0 for the
// timer block. The SET statements change OPTION, INTCON and TMR0 where they
// stand; relative jumps in the blocks count instructions, so each block stays
// together and in order.
#include "interrupts.h"

#include <cctype>

#include "assignment.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

struct InterruptSource {
  const char* keyword;   // the statement up to the SUB name
  bool CompileState::*flag;
  bool trimName;         // leading blanks of the SUB name removed
};

constexpr InterruptSource kTimer{"ON TIMER INTERRUPT CALL ", &CompileState::Flag_INT_TMR0, false};
constexpr InterruptSource kExternal{"ON EXTERNAL INTERRUPT CALL ", &CompileState::Flag_INT_RB0, true};
constexpr InterruptSource kLine{"ON LINE INTERRUPT CALL ", &CompileState::Flag_INT_RB, false};

/// The dispatcher block of one source, ending with the jump to `end`.
std::vector<std::string> HandlerBlock(const InterruptSource& src, const std::string& sub,
                                      const std::string& end) {
  if (&src == &kTimer)
    return {Code("BTFSS Reg_Intcon , Bit_2"), Code("GOTO $+7"),       Code("CALL " + sub),
            Code("MOVLW 0"),                  Code("MOVWF Reg_Tmr0"), Code("BCF Reg_Intcon , Bit_2"),
            Code("BSF Reg_Intcon , Bit_5"),   Code("GOTO " + end)};
  if (&src == &kExternal)
    return {Code("BTFSS Reg_Intcon , Bit_1"), Code("GOTO $+4"), Code("CALL " + sub),
            Code("BCF Reg_Intcon , Bit_1"), Code("GOTO " + end)};
  return {Code("BTFSS Reg_Intcon , Bit_0"), Code("GOTO $+6"),
          Code("CALL " + sub),              Code("MOVF Reg_PortB , W"),
          Code("BCF Reg_Intcon , Bit_0"),   Code("BSF Reg_Intcon , Bit_3"),
          Code("GOTO " + end)};
}

/// A decimal number (optional sign, digits, one point) or "&H" and hex digits.
bool IsNumeric(const std::string& s) {
  if (StartsWith(s, "&H")) {
    if (Len(s) == 2) return false;
    for (size_t k = 2; k < s.size(); ++k)
      if (!std::isxdigit(static_cast<unsigned char>(s[k]))) return false;
    return true;
  }
  size_t k = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
  bool digits = false, point = false;
  for (; k < s.size(); ++k) {
    if (s[k] >= '0' && s[k] <= '9') {
      digits = true;
    } else if (s[k] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// The exact single statements and the lines each gives.
struct BitStatement {
  const char* statement;
  std::vector<std::string> lines;
};

const std::vector<BitStatement>& BitStatements() {
  static const std::vector<BitStatement> table = {
      {"SET TIMER ON", {"BSF Reg_Intcon , Bit_5"}},
      {"SET TIMER OFF", {"BCF Reg_Intcon , Bit_5"}},
      {"SET INTERNAL CLOCK",
       {"BCF Reg_Intcon , Bit_5", "BSF Reg_Status , Bit_5", "BCF Reg_Option , Bit_5",
        "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5"}},
      {"SET EXTERNAL CLOCK",
       {"BCF Reg_Intcon , Bit_5", "BSF Reg_Status , Bit_5", "BSF Reg_Option , Bit_5",
        "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5"}},
      {"SET TIMER EDGE UP", {"BSF Reg_Option , Bit_4"}},
      {"SET TIMER EDGE DOWN", {"BCF Reg_Option , Bit_4"}},
      {"SET EXTERNAL INTERRUPT EDGE UP", {"BSF Reg_Option , Bit_6"}},
      {"SET EXTERNAL INTERRUPT EDGE DOWN", {"BCF Reg_Option , Bit_6"}},
      {"SET EXTERNAL INTERRUPT ON", {"BSF Reg_Intcon , Bit_4"}},
      {"SET EXTERNAL INTERRUPT OFF", {"BCF Reg_Intcon , Bit_4"}},
      {"SET LINE INTERRUPT ON", {"BSF Reg_Intcon , Bit_3"}},
      {"SET LINE INTERRUPT OFF", {"BCF Reg_Intcon , Bit_3"}},
  };
  return table;
}

const char* const kRates[] = {"1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/128", "1/256"};

}  // namespace

// ON TIMER|EXTERNAL|LINE INTERRUPT CALL sub -> an empty line; the source's
// block appended to ArrayINT, all blocks ending at one shared LabelFineINT.
void TraduciOnInterrupt(CompileState& st, int line) {
  const std::string text = st.ArrayInput[line];
  const InterruptSource* src = &kLine;
  if (StartsWith(text, kTimer.keyword)) src = &kTimer;
  if (StartsWith(text, kExternal.keyword)) src = &kExternal;
  std::string sub = Mid(text, Len(src->keyword) + 1);
  if (src->trimName) sub = LTrim(sub);

  st.Flag_INT = true;
  st.*(src->flag) = true;
  if (st.LabelFineINT.empty()) st.LabelFineINT = NuovaLabel(st);
  const std::vector<std::string> block = HandlerBlock(*src, sub, st.LabelFineINT);
  if (st.NoINT + static_cast<int>(block.size()) > CompileState::kMaxInt) {
    SegnalaErrore(st, "Troppe istruzioni ON ... INTERRUPT: il gestore delle interruzioni supera il limite di 30 righe");
    return;
  }
  for (const auto& l : block) st.ArrayINT[++st.NoINT] = l;
  st.ArrayInput[line] = "";
  if (!IsSubroutine(st, sub)) {
    SegnalaErrore(st, "Subroutine non definita");
    return;
  }
  // A SUB with parameters is known by its name and count: the bare name
  // would call a label that does not exist.
  for (int k = 1; k <= st.NoSUB; ++k) {
    const SubRow& row = st.ArraySUB[k];
    if (row.count == "0" ? row.name == sub : row.name + row.count == sub) return;
  }
  SegnalaErrore(st, "Una subroutine di interrupt non può avere parametri");
}

// SET INIT TIMER TO value -> an empty line; TimerInit (0..255) or TimerInitVar recorded.
void TraduciSetInitTimer(CompileState& st, int line) {
  const std::string text = st.ArrayInput[line];
  st.NoSetInitTimer += 1;
  if (st.NoSetInitTimer > 1) {
    SegnalaErrore(st, "L'istruzione 'Init Timer' deve essere unica.");
    return;
  }
  const std::string value = Trim(Mid(text, 18));
  if (IsNumeric(value)) {
    const auto v = ToInt16(Val(value));
    st.TimerInit = v.value_or(-1);
    st.TimerInitVar.clear();
    if (st.TimerInit < 0 || st.TimerInit > 255) {
      st.TimerInit = 0;
      SegnalaErrore(st, "Valore di inizializzazione timer non ammesso: ", text);
      return;
    }
    st.ArrayInput[line] = "";
    return;
  }
  if (IsVariable(st, value)) {
    st.TimerInit = 0;
    st.TimerInitVar = value;
    st.ArrayInput[line] = "";
    return;
  }
  SegnalaErrore(st, "Variabile non definita: ", text);
}

bool TraduciTimerBit(CompileState& st, int line) {
  const std::string& text = st.ArrayInput[line];
  for (const auto& entry : BitStatements()) {
    if (text != entry.statement) continue;
    if (InStr(text, " EDGE ") > 0)
      SegnalaAvviso(st, text.substr(0, text.rfind(' ')) +
                            ": il registro OPTION sta nel banco 1, ma l'istruzione lo scrive senza "
                            "selezionare il banco; sul chip cambia invece un bit di TMR0 e il fronte "
                            "resta quello di prima");
    ScriviRighe(st, line, InsLines(entry.lines));
    return true;
  }
  return false;
}

// SET TIMER RATE TO 1/2 .. 1/256 (or code 1..8) -> prescaler to timer 0 with
// PS2..PS0 = code - 1; code 0 -> prescaler to the watchdog, timer 0 at the
// instruction rate; any other code leaves the line untranslated.
void TraduciTimerRate(CompileState& st, int line) {
  const std::string rate = Mid(st.ArrayInput[line], 19);
  int code = -1;
  for (int k = 0; k < 8; ++k)
    if (rate == kRates[k]) code = k + 1;
  if (code < 0) {
    if (InStr(rate, "/") > 0) {
      SegnalaErrore(st, "Impossibiler impostare in Prescaler");
      return;
    }
    code = ToInt16(Val(rate)).value_or(-1);
  }

  if (code == 0) {
    ScriviRighe(st, line,
                InsLines({"BCF Reg_Intcon , Bit_5", "BSF Reg_Status , Bit_5", "BSF Reg_Option , Bit_3",
                          "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5", "CLRF Reg_Tmr0"}));
    return;
  }
  if (code < 1 || code > 8) return;

  const int p = code - 1;
  std::vector<std::string> ins = {"BCF Reg_Intcon , Bit_5", "BCF Reg_Status , Bit_6", "BSF Reg_Status , Bit_5",
                                  "BCF Reg_Option , Bit_3"};
  for (int k = 0; k < 3; ++k)
    ins.push_back(std::string((p >> k) & 1 ? "BSF" : "BCF") + " Reg_Option , Bit_" + Dec(k));
  ins.insert(ins.end(), {"BCF Reg_Status , Bit_6", "BCF Reg_Status2, Bit_5", "BSF Reg_Intcon , Bit_5",
                         "CLRF Reg_Tmr0"});
  ScriviRighe(st, line, InsLines(ins));
}

}  // namespace velmora
