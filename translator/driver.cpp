// The translation driver.
//
// Runs the passes in their fixed order over ArrayInput, pairs the SUB, FOR,
// DO and IF blocks and hands each to its translator innermost first, reports
// any line no pass could finish, then post-processes the jumps and writes the
// assembly source. Every pass reports through SegnalaErrore; the driver stops
// at the first error it sees.
#include "driver.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "asm_writer.h"
#include "assignment.h"
#include "constants_config.h"
#include "data_eeprom.h"
#include "declarations.h"
#include "do_loop.h"
#include "encoding.h"
#include "for_next.h"
#include "if_blocks.h"
#include "jumps.h"
#include "normalise.h"
#include "parentheses.h"
#include "reporter.h"
#include "select_case.h"
#include "statements.h"
#include "subroutines.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// IF lines calling DIV10(, DIV10R(, READ( or GETDATA( become an assignment of
// the call to a work byte followed by the IF testing that byte.
struct Extraction {
  const char* call;
  int closeFrom;       // the ")" is searched from p + closeFrom
  bool fixedWorkByte;  // W#VLTx instead of a dynamic byte
};

void ExtractOne(CompileState& st, int i, const Extraction& ex) {
  const std::string line = st.ArrayInput[i];
  const int p = InStr(line, ex.call);
  if (p == 0) return;
  const int q = InStr(line, ")", p + ex.closeFrom);
  if (q == 0) return;  // unbalanced: normalisation has already reported it
  if (!InserisciRighe(st, i, 1)) return;
  const std::string t = ex.fixedWorkByte ? std::string("W#VLTx") : AcquisisciDinamica(st);
  const bool noOperator = InStr(line, "=") == 0 && InStr(line, "<") == 0 && InStr(line, ">") == 0;
  st.ArrayInput[i + 1] = noOperator ? "IF " + t + " <> 0 THEN" : Left(line, p - 1) + t + Mid(line, q + 1);
  st.ArrayInput[i] = t + " = " + Mid(line, p, q - p + 1);
  if (!ex.fixedWorkByte) RilasciaDinamica(st, t);
}

void ExtractIfCalls(CompileState& st) {
  static const Extraction kCalls[] = {
      {"DIV10(", 6, false}, {"DIV10R(", 1, false}, {"READ(", 5, true}, {"GETDATA(", 8, true}};
  for (int i = 1; i <= st.NoInput; ++i) {
    if (!StartsWith(st.ArrayInput[i], "IF ")) continue;
    for (const auto& ex : kCalls) {
      ExtractOne(st, i, ex);
      if (st.Flag_Errore) return;
    }
  }
}

void TranslateStatements(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (line.empty() || IsFinished(line)) continue;
    TraduciIstruzione(st, i);
    if (st.Flag_Errore) return;
  }
}

void TranslateSubBlocks(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string line = st.ArrayInput[i];
    if (StartsWith(line, "END SUB ")) {
      st.IstruzioneCorrente = line;
      SegnalaErrore(st, "Struttura SUB...END SUB non bilanciata");
      return;
    }
    if (!StartsWith(line, "SUB ")) continue;
    const int s = i;
    bool closed = false;
    for (int j = i + 1; j <= st.NoInput; ++j) {
      if (StartsWith(st.ArrayInput[j], "SUB ")) {
        st.IstruzioneCorrente = st.ArrayInput[s];
        SegnalaErrore(st, "Dichiarazione SUB non chiusa");
        return;
      }
      if (st.ArrayInput[j] == "END SUB") {
        TraduciSubBody(st, s, j);
        if (st.Flag_Errore) return;
        i = j;
        closed = true;
        break;
      }
    }
    if (!closed) {
      st.IstruzioneCorrente = st.ArrayInput[s];
      SegnalaErrore(st, "Struttura SUB...END SUB non bilanciata");
      return;
    }
  }
}

// Follows, for every call pair, the chain of first matching callers and
// records the deepest chain in LivelloStack. A chain deeper than 6 (which is
// also how a cycle of SUBs calling each other ends) stops the translation.
void CheckCallDepth(CompileState& st) {
  constexpr int kMaxDepth = 6;
  if (st.NoCALL == 0) return;
  st.LivelloStack = 1;
  for (int k = 1; k <= st.NoCALL && st.LivelloStack <= kMaxDepth; ++k) {
    const std::string& entry = st.ArrayCALL[k];
    std::string c = Mid(entry, InStr(entry, "->") + 2) + "->";
    int d = 1;
    for (int j = 1; j <= st.NoCALL; ++j) {
      if (!StartsWith(st.ArrayCALL[j], c)) continue;
      d += 1;
      if (d > st.LivelloStack) st.LivelloStack = d;
      if (d > kMaxDepth) break;
      c = Mid(st.ArrayCALL[j], Len(c) + 1) + "->";
      j = 0;  // restart the scan
    }
  }
  if (st.LivelloStack > kMaxDepth) {
    st.IstruzioneCorrente.clear();
    SegnalaErrore(st, "Superato il livello massimo di CALL a subroutine");
  }
}

// One kind of block for the pairing scan.
struct BlockKind {
  bool (*orphan)(const std::string&);
  const char* orphanMessage;
  bool (*opener)(const std::string&);
  bool (*closer)(const std::string&);
  const char* finalMessage;
  bool isIf;
};

// Pairs the blocks of one kind innermost first and calls their translator.
void PairBlocks(CompileState& st, const BlockKind& kind,
                const std::function<void(int, int, int)>& translate) {
  st.IstruzioneCorrente.clear();
  int p = -1;
  int e = -1;
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string line = st.ArrayInput[i];
    if (kind.orphan(line)) {
      SegnalaErrore(st, kind.orphanMessage);
      return;
    }
    if (!kind.opener(line)) continue;
    st.IstruzioneCorrente = line;
    p = i;
    for (int j = i + 1; j <= st.NoInput; ++j) {
      const std::string& lj = st.ArrayInput[j];
      if (kind.opener(lj)) {
        p = j;
        e = -1;
      } else if (kind.isIf && lj == "ELSE") {
        e = j;
      } else if (kind.closer(lj)) {
        translate(p, j, e);
        if (st.Flag_Errore) return;
        if (p != i) i -= 1;
        p = -1;
        e = -1;
        break;
      }
    }
  }
  if (p > 0) SegnalaErrore(st, kind.finalMessage);
}

void TranslateBlocks(CompileState& st) {
  const BlockKind forKind{
      [](const std::string& l) { return StartsWith(l, "NEXT"); },
      "Struttura FOR...NEXT non bilanciata.",
      [](const std::string& l) { return StartsWith(l, "FOR "); },
      [](const std::string& l) { return StartsWith(l, "NEXT "); },
      "Struttura FOR...NEXT non bilanciata", false};
  const BlockKind doKind{
      [](const std::string& l) { return StartsWith(l, "LOOP"); },
      "Struttura Do While...Loop non bilanciata, LOOP senza il DO.",
      [](const std::string& l) { return StartsWith(l, "DO"); },
      [](const std::string& l) { return StartsWith(l, "LOOP"); },
      "Struttura Do While....Loop non chiusa", false};
  const BlockKind ifKind{
      [](const std::string& l) { return StartsWith(l, "END IF"); },
      "Struttura IF non bilanciata, istruzione END IF senza l'IF",
      [](const std::string& l) { return StartsWith(l, "IF "); },
      [](const std::string& l) { return l == "END IF"; },
      "Struttura IF non bilanciata", true};

  PairBlocks(st, forKind, [&](int p, int j, int) { ForNext(st, p, j); });
  if (st.Flag_Errore) return;
  PairBlocks(st, doKind, [&](int p, int j, int) { DoLoop(st, p, j); });
  if (st.Flag_Errore) return;
  PairBlocks(st, ifKind, [&](int p, int j, int e) { IfTranslator(st, p, j, e); });
}

void TranslateAssignments(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (IsFinished(line)) continue;
    const int eq = InStr(line, "=");
    if (eq == 0) continue;
    TraduciAssegnazione(st, i, eq);
    if (st.Flag_Errore) return;
  }
}

void ReportLeftovers(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (line.empty() || IsFinished(line)) continue;
    st.IstruzioneCorrente = line;
    SegnalaErrore(st, "Istruzione non risolta");
    return;
  }
}

// Upper case of a UTF-8 file name, Latin letters with accents included.
std::string UpperName(const std::string& utf8) {
  std::string b = encoding::Utf8ToCp1252(utf8);
  for (char& c : b) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
      c = static_cast<char>(u - 0x20);
  }
  return encoding::Cp1252ToUtf8(b);
}

std::string Decimal(double v, char separator) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = separator;
  return s;
}

}  // namespace

std::string StatisticsReport(const CompileState& st, const TranslateOptions& options) {
  // Words: every line after the ORG line that is neither empty nor a bare label.
  int words = 0;
  bool afterOrg = false;
  size_t from = 0;
  for (;;) {
    const size_t to = st.TextASM.find("\r\n", from);
    if (to == std::string::npos) break;
    const std::string line = LTrim(std::string_view(st.TextASM).substr(from, to - from));
    from = to + 2;
    if (afterOrg) {
      if (!line.empty() && !EndsWith(line, ":")) ++words;
    } else if (StartsWith(line, "ORG ")) {
      afterOrg = true;
    }
  }
  const double pct = std::floor(words / 1024.0 * 1000.0) / 10.0;

  std::string name = options.programPath;
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  name = options.programPath.empty() ? "<UNDEFINED>" : UpperName(name);

  const char sep = options.decimalSeparator;
  return "Nome programma: " + name + "\r\n" +
         "Lunghezza programma " + Dec(words) + " word (max 1024)\r\n" +
         "Utilizzo risorse " + Decimal(pct, sep) + " %  Disponibilità " + Decimal(100.0 - pct, sep) +
         " %\r\n" +
         "Numero di variabili definite " + Dec(st.NoFAT) + "\r\n" +
         "Utilizzo memoria RAM " + Dec(st.NoByteRAM) + " byte (max " + Dec(st.MaxByteRAM) + ")\r\n" +
         "Livello di Stack " + Dec(st.LivelloStack + 1) + " (Max 6, +2 riservati)";
}

std::string Translate(CompileState& st, std::string& basicText, const TranslateOptions& options) {
  st.TextASM.clear();
  st.ResetForTranslation();
  if (!EndsWith(basicText, "\r\n")) basicText += "\r\n";

  // Declaration and pre-passes. The ones that must not run after an error
  // test the flag on entry themselves.
  Normalise(st, basicText);
  TraduciConstSymbol(st);
  TraduciDim(st);
  TraduciConfig(st);
  TraduciData(st);
  SelectCase(st);
  TraduciSubCall(st);
  SplitParentheses(st);
  if (st.Flag_Errore) return {};

  ExtractIfCalls(st);
  if (st.Flag_Errore) return {};
  TranslateStatements(st);
  if (st.Flag_Errore) return {};
  TranslateSubBlocks(st);
  if (st.Flag_Errore) return {};
  CheckCallDepth(st);
  if (st.Flag_Errore) return {};
  TranslateBlocks(st);  // FOR, then DO, then IF
  if (st.Flag_Errore) return {};
  TranslateAssignments(st);
  if (st.Flag_Errore) return {};
  ReportLeftovers(st);
  if (st.Flag_Errore) return {};

  CompattaProgramma(st);
  RisolviEtichette(st);
  ScriviASM(st);
  if (st.Flag_Errore) return {};
  return StatisticsReport(st, options);
}

}  // namespace velmora
