// SPDX-License-Identifier: GPL-3.0-or-later
// DATA tables in program memory and WRITE to the data EEPROM.
//
// The DATA pass collects the bytes of every DATA statement above the first IF
// into ArrayDATA (at most 250 bytes in all) and empties the lines; the
// assembly writer turns the table into the @@GD routine that GETDATA() calls.
//
// WRITE, handed over by the statement dispatcher, loads the EEPROM address
// into Reg_Eeadr and calls @@WRT once per byte; the routine writes W and
// moves the address on, so the items go to consecutive addresses.
//
// The PIC16F84 implements 64 bytes of data EEPROM (addresses 0 to 63). A
// constant address is checked here: it must lie in 0..63, and the bytes of
// the statement must end at 63 at the latest. An address held in a variable
// is known only at run time and is not checked: the program must keep it
// below 64, since the chip has nothing beyond.
#include "data_eeprom.h"

#include "assignment.h"
#include "encoding.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

constexpr int kMaxDataBytes = 250;
constexpr int kEepromBytes = 64;
constexpr int kMaxWriteLines = 100;

/// Checks the characters of a string literal (without its quotes): it must
/// hold at least one character and every character must have a code.
/// Returns false after reporting.
bool CheckStringLiteral(CompileState& st, const std::string& chars) {
  if (chars.empty()) {
    SegnalaErrore(st, "Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere");
    return false;
  }
  if (chars.find(encoding::kNoCode) != std::string::npos) {
    SegnalaErrore(st, "La stringa contiene un carattere senza codice a 8 bit (Windows-1252), non trasferibile al micro");
    return false;
  }
  return true;
}

int Code(char c) { return static_cast<unsigned char>(c); }

/// Replaces each double-quoted string of a DATA item list by the codes of its
/// characters, "&H41,&H42" for AB. Returns false after reporting.
bool ExpandDataStrings(CompileState& st, const std::string& line, std::string& items) {
  for (;;) {
    const int open = InStr(items, "\"");
    if (open == 0) return true;
    const int close = InStr(items, "\"", open + 1);
    st.IstruzioneCorrente = line;
    if (close == 0) {
      SegnalaErrore(st, "Definizione di stringhe non esatta");
      return false;
    }
    const std::string chars = Mid(items, open + 1, close - open - 1);
    if (!CheckStringLiteral(st, chars)) return false;
    std::string codes;
    for (char c : chars) codes += (codes.empty() ? "&H" : ",&H") + Hex(Code(c));
    items = Left(items, open - 1) + codes + Mid(items, close + 1);
  }
}

/// Appends the values of a comma-separated DATA item list to ArrayDATA.
/// Returns false after reporting.
bool CollectDataBytes(CompileState& st, const std::string& line, const std::string& items) {
  for (const std::string& item : SplitAtCommas(items)) {
    const auto value = ToInt16(Val(item));
    if (!value) {
      st.IstruzioneCorrente = line;
      SegnalaErrore(st, "Costante numerica non ammessa");
      return false;
    }
    st.NoDATA += 1;
    if (st.NoDATA > kMaxDataBytes) {
      st.IstruzioneCorrente.clear();
      SegnalaErrore(st, "L'area DATA è troppo estesa, è stato superato il limite di 250 byte");
      return false;
    }
    st.ArrayDATA[static_cast<size_t>(st.NoDATA)] = *value;
  }
  return true;
}

// The finished lines of one WRITE, kept within the 100-line list.
class WriteLines {
 public:
  explicit WriteLines(CompileState& st) : st_(st) {}

  bool Add(const std::string& instruction) {
    if (static_cast<int>(lines_.size()) >= kMaxWriteLines) {
      SegnalaErrore(st_, "Istruzione WRITE troppo lunga: al massimo 49 byte per istruzione, dividerla in più WRITE");
      return false;
    }
    lines_.push_back(Ins(instruction));
    return true;
  }

  /// A numeric or variable item: "MOVLW value" or "MOVF var , W", then CALL @@WRT.
  bool AddItem(const std::string& item) {
    const std::string load = IsNumber(item) ? "MOVLW " + HexOperando(st_, item) : "MOVF " + item + " , W";
    if (st_.Flag_Errore) return false;
    return Add(load) && Add("CALL @@WRT");
  }

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  CompileState& st_;
  std::vector<std::string> lines_;
};

}  // namespace

void TraduciData(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    if (StartsWith(st.ArrayInput[i], "DATA ")) {
      st.RigaCorrente = st.ArrayInput.Source(i);
      const std::string line = st.ArrayInput[i];
      std::string items = Mid(line, 6);
      if (!ExpandDataStrings(st, line, items)) return;
      st.ArrayInput[i] = "DATA " + items;
      if (!CollectDataBytes(st, line, items)) return;
      st.ArrayInput[i] = "";
    }
    if (StartsWith(st.ArrayInput[i], "IF ")) return;
  }
}

// WRITE item, item, ..., address
//   -> MOVLW address | MOVF address , W ; MOVWF Reg_Eeadr
//      then per byte: MOVLW code | MOVLW value | MOVF var , W ; CALL @@WRT
void TraduciWrite(CompileState& st, int line) {
  const std::string text = st.ArrayInput[line];
  Corrente(st, line);

  const int lastComma = InStrRev(text, ",");
  if (lastComma == 0) {
    SegnalaErrore(st, "Sintassi con riconoscita o non valida");
    return;
  }
  const std::string address = Trim(Mid(text, lastComma + 1));
  std::string data = Trim(Mid(text, 7, lastComma - 7));

  WriteLines out(st);
  if (IsNumber(address)) {
    const std::string hex = HexOperando(st, address);
    if (st.Flag_Errore) return;
    out.Add("MOVLW " + hex);
  } else if (IsVariable(st, address)) {
    out.Add("MOVF " + address + " , W");
  } else {
    SegnalaErrore(st, "Sintassi con riconoscita o non valida");
    return;
  }
  out.Add("MOVWF Reg_Eeadr");

  while (!data.empty()) {
    if (StartsWith(data, "\"")) {
      const int close = InStr(data, "\"", 2);
      if (close == 0) {
        SegnalaErrore(st, "Definizione di stringhe non esatta");
        return;
      }
      const std::string chars = Mid(data, 2, close - 2);
      if (!CheckStringLiteral(st, chars)) return;
      for (char c : chars)
        if (!out.Add("MOVLW " + FormatHex(Code(c))) || !out.Add("CALL @@WRT")) return;
      data = Trim(Mid(data, close + 1));
      if (StartsWith(data, ",")) data = Trim(Mid(data, 2));
      continue;
    }
    const int comma = InStr(data, ",");
    const std::string item = comma > 0 ? Trim(Left(data, comma - 1)) : data;
    if (!IsNumber(item) && !IsVariable(st, item)) {
      SegnalaErrore(st, comma > 0 ? "Sintassi o espressione non valida" : "Sintassi non corretta o non valida");
      return;
    }
    data = comma > 0 ? Trim(Mid(data, comma + 1)) : "";
    if (!out.AddItem(item)) return;
  }

  if (IsNumber(address)) {
    const int first = ToInt16(Val(address)).value_or(-1);
    const int bytes = (static_cast<int>(out.lines().size()) - 2) / 2;
    if (first < 0 || first >= kEepromBytes) {
      SegnalaErrore(st, "Indirizzo EEPROM non valido: la memoria dati ha 64 byte, indirizzi da 0 a 63");
      return;
    }
    if (first + bytes > kEepromBytes) {
      SegnalaErrore(st, "I dati dell'istruzione WRITE superano l'ultimo indirizzo della EEPROM (63)");
      return;
    }
  }
  if (!ScriviRighe(st, line, out.lines())) return;
  st.Flag_Routine = true;
  st.Flag_WRT = true;
}

}  // namespace velmora
