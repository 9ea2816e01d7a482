// SPDX-License-Identifier: GPL-3.0-or-later
// CONST/SYMBOL and CONFIG: the two declaration passes around DIM.
//
// CONST and SYMBOL give names to pieces of text; the pass collects them from
// the top of the program (up to the first IF, FOR or DO line), empties their
// lines and replaces every whole-word occurrence of each name, in declaration
// order, in every line of the program. Nothing is evaluated: a constant is a
// textual macro, and later passes see only the substituted text.
//
// CONFIG fixes the direction of the I/O lines at start-up. The pass collects
// the CONFIG statements above the first IF, folds them into one TRIS value
// per port, empties their lines and leaves the set-up in ArrayInit, which the
// assembly writer emits once before the program.
#include "constants_config.h"

#include <array>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

constexpr int kMaxConst = 100;

struct ConstEntry {
  std::string name, text;
};

bool IsWordChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

/// Replaces every whole-word `name` in `line` by `text`. The search goes on
/// after the inserted text, so a replacement is never searched again.
void SubstituteWord(std::string& line, const std::string& name, const std::string& text) {
  if (name.empty()) return;  // an empty name stands for no word at all
  int from = 1;
  for (;;) {
    const int p = InStr(line, name, from);
    if (p == 0) return;
    const int after = p + Len(name);
    const bool freeBefore = p == 1 || !IsWordChar(line[static_cast<size_t>(p - 2)]);
    const bool freeAfter = after > Len(line) || !IsWordChar(line[static_cast<size_t>(after - 1)]);
    if (!freeBefore || !freeAfter) {
      from = after;
      continue;
    }
    line = Left(line, p - 1) + text + Mid(line, after);
    from = p + Len(text);
  }
}

// Direction state of the ports while CONFIG statements are folded in.
struct PortConfig {
  bool configured = false;
  int tris = 0;  // bit n set: line n is an input
};

int PortIndex(char letter) { return letter == 'A' ? 0 : 1; }

void ApplyLine(std::array<PortConfig, 3>& ports, const std::string& item, bool input) {
  PortConfig& port = ports[static_cast<size_t>(PortIndex(item[0]))];
  const int mask = 1 << (item[1] - '0');
  port.configured = true;
  port.tris = input ? (port.tris | mask) : (port.tris & ~mask);
}

void ApplyPort(std::array<PortConfig, 3>& ports, const std::string& item, bool input) {
  PortConfig& port = ports[static_cast<size_t>(PortIndex(item[0]))];
  port.configured = true;
  port.tris = input ? 255 : 0;
}

/// CONFIG item, item, ... AS INPUT|OUTPUT: every item is a port line (B3)
/// or a whole port (A). Returns false after reporting.
bool ApplyList(CompileState& st, std::array<PortConfig, 3>& ports, const std::string& line,
               int asPos, bool input) {
  for (const std::string& piece : SplitAtCommas(Mid(line, 8, asPos - 9 > 0 ? asPos - 9 : 0))) {
    const std::string item = Trim(piece);
    if (Len(item) == 0 || Len(item) >= 3) {
      SegnalaErrore(st, "Tipo di configurazione non ammessa");
      return false;
    }
    if (Len(item) == 2) {
      if (!IsPortLine(item)) {
        SegnalaErrore(st, "Configurazione di linea di I/O non gestibile");
        return false;
      }
      ApplyLine(ports, item, input);
      continue;
    }
    if (!IsPortLetter(item)) {
      SegnalaErrore(st, "Porta di I/O non gestibile");
      return false;
    }
    ApplyPort(ports, item, input);
  }
  return true;
}

/// CONFIG item AS INPUT|OUTPUT with a single line or port. Returns false after reporting.
bool ApplySingle(CompileState& st, std::array<PortConfig, 3>& ports, const std::string& line,
                 int asPos, bool input) {
  const std::string item = Trim(Mid(line, 8, asPos - 8 > 0 ? asPos - 8 : 0));
  if (Len(item) == 2) {
    if (!IsPortLine(item)) {
      SegnalaErrore(st, "Porta non configurabile");
      return false;
    }
    ApplyLine(ports, item, input);
    return true;
  }
  if (Len(item) == 1) {
    if (!IsPortLetter(item)) {
      SegnalaErrore(st, "Configurazione di porta di I/O non gestibile");
      return false;
    }
    ApplyPort(ports, item, input);
    return true;
  }
  SegnalaErrore(st, "Istruzione non riconosciuta");
  return false;
}

}  // namespace

void TraduciConstSymbol(CompileState& st) {
  std::vector<ConstEntry> table;
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (StartsWith(line, "IF ") || StartsWith(line, "FOR ") || StartsWith(line, "DO")) break;
    if (!StartsWith(line, "CONST ") && !StartsWith(line, "SYMBOL ")) continue;
    Corrente(st, i);
    const int blank = InStr(line, " ");
    const int eq = InStr(line, "=");
    if (eq == 0) {
      SegnalaErrore(st, "Definizione errata di CONST/SYMBOL");
      return;
    }
    if (static_cast<int>(table.size()) >= kMaxConst) {
      SegnalaErrore(st, "Troppe definizioni CONST/SYMBOL: il limite è di 100");
      return;
    }
    table.push_back({Trim(Mid(line, blank + 1, eq - blank - 1)), Trim(Mid(line, eq + 1))});
    st.ArrayInput[i] = "";
  }
  if (table.empty()) return;

  for (int i = 1; i <= st.NoInput; ++i)
    for (const auto& entry : table) SubstituteWord(st.ArrayInput[i], entry.name, entry.text);
}

void TraduciConfig(CompileState& st) {
  st.NoInit = 0;
  std::array<PortConfig, 3> ports{};
  bool seen = false;
  for (int i = 1; i <= st.NoInput; ++i) {
    if (StartsWith(st.ArrayInput[i], "IF ")) break;
    if (!StartsWith(st.ArrayInput[i], "CONFIG ")) continue;
    const std::string line = st.ArrayInput[i];
    Corrente(st, i);

    bool input = false;
    if (InStr(line, "INPUT") > 0) {
      input = true;
    } else if (InStr(line, "OUTPUT") == 0) {
      SegnalaErrore(st, "Impossibile determinare se configurazione di Input o Output");
      return;
    }
    const int asPos = InStr(line, "AS ");
    if (asPos == 0) {
      SegnalaErrore(st, "Istruzione CONFIG errata");
      return;
    }
    const bool ok = InStr(line, ",") > 0 ? ApplyList(st, ports, line, asPos, input)
                                         : ApplySingle(st, ports, line, asPos, input);
    if (!ok) return;
    st.ArrayInput[i] = "";
    seen = true;
  }
  if (!seen) return;

  // Bank 1 once, then "MovLW tris" / "MovWF Reg_TrisX" per configured port, then bank 0.
  bool bankSelected = false;
  const char letters[] = {'A', 'B'};
  for (int port = 0; port < 2; ++port) {
    const PortConfig& pc = ports[static_cast<size_t>(port)];
    if (!pc.configured) continue;
    if (!bankSelected) {
      st.ArrayInit[++st.NoInit] = Code("BSF Reg_Status , Bit_5");
      bankSelected = true;
    }
    st.ArrayInit[++st.NoInit] = Code("MovLW " + FormatHex(pc.tris));
    st.ArrayInit[++st.NoInit] = Code(std::string("MovWF Reg_Tris") + letters[port]);
  }
  st.ArrayInit[++st.NoInit] = Code("BCF Reg_Status2 , Bit_5");
}

}  // namespace velmora
