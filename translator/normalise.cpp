// SPDX-License-Identifier: GPL-3.0-or-later
// Source normalisation: the first pass of every translation.
//
// Each source line goes through a fixed series of rewrites (comment and case,
// literals, PORT/LINE, spaces) and then becomes zero or more ArrayInput lines:
// a user label becomes a finished label line, a line with colons is split into
// its statements, OUTPUT of a single line becomes SET/RESET or an IF block,
// and a single-line IF becomes a block. Everything else is left to the
// statement passes, which rely on the canonical form produced here.
#include "normalise.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "encoding.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// Characters that separate a PORT/LINE keyword from its neighbours.
constexpr std::string_view kKeywordNeighbours = " +-/*()";
// Characters that may stand before a "0X" literal.
constexpr std::string_view kHexPrefixNeighbours = " +-*/()[]";
// A line ending in ":" that holds one of these is a statement, not a label.
constexpr std::string_view kStatementMarksAtColon = "= ,.+-/*)([]";
// A piece before a colon that holds none of these is a label.
constexpr std::string_view kStatementMarksInPiece = " =,.+-/*)(";

constexpr int kMaxBinaryDigits = 8;

bool IsOneOf(char c, std::string_view chars) { return chars.find(c) != std::string_view::npos; }

// Appends one line to ArrayInput; false after reporting when the array is full.
// The new line comes from the source line being normalised (RigaCorrente).
bool Aggiungi(CompileState& st, const std::string& line) {
  if (!InserisciRighe(st, st.NoInput + 1, 1)) return false;
  st.ArrayInput[st.NoInput] = line;
  st.ArrayInput.SetSource(st.NoInput, st.RigaCorrente);
  return true;
}

// Upper case outside double-quoted text; quoted text is kept as written.
// False after reporting when an opening quote has no closing one.
bool MaiuscoloFuoriStringhe(CompileState& st, std::string& line) {
  std::string out;
  int from = 1;
  for (;;) {
    const int open = InStr(line, "\"", from);
    if (open == 0) break;
    const int close = InStr(line, "\"", open + 1);
    if (close == 0) {
      SegnalaErrore(st, "Stringa non bilanciata");
      return false;
    }
    out += UCase(Mid(line, from, open - from)) + Mid(line, open, close - open + 1);
    from = close + 1;
  }
  line = out + UCase(Mid(line, from));
  return true;
}

// B'10100' -> &H14: each "1" adds 2 to the power of its place from the right.
bool ConvertiBinari(CompileState& st, std::string& line) {
  for (int p = InStr(line, "B'"); p > 0; p = InStr(line, "B'")) {
    const int close = InStr(line, "'", p + 2);
    if (close == 0) {
      SegnalaErrore(st, "Valore binario non corretto");
      return false;
    }
    const std::string digits = Mid(line, p + 2, close - p - 2);
    if (Len(digits) > kMaxBinaryDigits) {
      SegnalaErrore(st, "Valore binario troppo lungo (massimo 8 cifre)");
      return false;
    }
    int value = 0;
    for (int k = 1; k <= Len(digits); ++k)
      if (digits[static_cast<size_t>(k - 1)] == '1') value += 1 << (Len(digits) - k);
    line = Left(line, p - 1) + "&H" + Hex(value) + Mid(line, close + 1);
  }
  return true;
}

// ASC("A") -> &H41: the code of the middle of the three characters inside.
bool ConvertiAsc(CompileState& st, std::string& line) {
  for (int p = InStr(line, "ASC("); p > 0; p = InStr(line, "ASC(")) {
    const int close = InStr(line, ")", p);
    if (close == 0) {
      SegnalaErrore(st, "Parentesi non bilanciate");
      return false;
    }
    const std::string inside = Trim(Mid(line, p + 4, close - p - 4));
    if (Len(inside) != 3) {
      SegnalaErrore(st, "Controllare l'istruzione ");
      return false;
    }
    if (inside[1] == encoding::kNoCode) {
      SegnalaErrore(st, "Carattere senza codice Windows-1252 nell'istruzione ASC()");
      return false;
    }
    const int code = static_cast<unsigned char>(inside[1]);
    line = Left(line, p - 1) + "&H" + Hex(code) + Mid(line, close + 1);
  }
  return true;
}

// 0X1F -> &H1F where the literal follows a blank, an operator or a bracket.
bool ConvertiEsadecimali(CompileState& st, std::string& line) {
  if (StartsWith(line, "0X")) {
    SegnalaErrore(st, "Controllare la sintassi: ", line);
    return false;
  }
  for (int p = InStr(line, "0X"); p > 0; p = InStr(line, "0X", p + 2)) {
    if (p == Len(line) - 1) break;
    if (IsOneOf(line[static_cast<size_t>(p - 2)], kHexPrefixNeighbours))
      line.replace(static_cast<size_t>(p - 1), 2, "&H");
  }
  return true;
}

// Runs of spaces outside double-quoted text become one space.
std::string SpaziSingoli(const std::string& line) {
  std::string out;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == ' ' && !quoted && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// Drops the keyword `word` (PORT, LINE) where it only decorates a port or a
// line name: "PORT B = X" -> "B = X", "X = PORT B" -> "X = B". A keyword
// glued to a name ("PORTB") is left alone, and so is one inside a line that
// begins with one of `keepAfter`. The bare keyword is an error.
bool RiduciParolaChiave(CompileState& st, std::string& line, const std::string& word,
                        const char* messageAlone,
                        std::initializer_list<std::string_view> keepAfter = {}) {
  const int n = Len(word);
  int from = 1;
  for (int p = InStr(line, word, from); p > 0; p = InStr(line, word, from)) {
    if (line == word) {
      SegnalaErrore(st, messageAlone);
      return false;
    }
    if (StartsWith(line, word + " ")) {
      line = Trim(Mid(line, n + 2));
      from = 1;
      continue;
    }
    if (EndsWith(line, " " + word)) {
      line = Trim(Left(line, Len(line) - n - 1));
      from = 1;
      continue;
    }
    const bool separated = p > 1 && p + n <= Len(line) &&
                           IsOneOf(line[static_cast<size_t>(p - 2)], kKeywordNeighbours) &&
                           IsOneOf(line[static_cast<size_t>(p + n - 1)], kKeywordNeighbours);
    bool kept = false;
    for (std::string_view k : keepAfter) kept = kept || StartsWith(SpaziSingoli(line), k);
    if (separated && !kept) {
      line = Trim(Left(line, p - 1)) + " " + Trim(Mid(line, p + n + 1));
      from = p;
      continue;
    }
    from = p + n;
  }
  return true;
}

// A label "NAME" becomes the finished line "A>NAME:". Labels beginning with
// "@" are kept for the translator's own.
bool AggiungiEtichetta(CompileState& st, const std::string& label) {
  if (StartsWith(label, "@")) {
    SegnalaErrore(st, "Non è ammesso l'uso del caratere '@' come inizion di una Label");
    return false;
  }
  return Aggiungi(st, LabelLine(label));
}

// A single-line IF that is one piece of a multi-statement line, already
// appended as the last line:
//   IF c THEN s1 ELSE s2  ->  IF c THEN / s1 / ELSE / s2 / END IF
//   IF c THEN s1          ->  "IF c THEN " / s1 / END IF
// The pieces keep their blanks.
bool EspandiIfNelSegmento(CompileState& st, const std::string& piece) {
  const int t = InStr(piece, " THEN ");
  const int e = InStr(piece, " ELSE ");
  if (t == 0 || (e > 0 && e < t)) {
    SegnalaErrore(st, "Sintassi non permetta.");
    return false;
  }
  if (e > 0) {
    st.ArrayInput[st.NoInput] = Left(piece, t + 4);
    // " THEN ELSE " shares its middle blank: nothing stands between them.
    return Aggiungi(st, Mid(piece, t + 6, std::max(0, e - t - 6))) && Aggiungi(st, "ELSE") &&
           Aggiungi(st, Mid(piece, e + 6)) && Aggiungi(st, "END IF");
  }
  st.ArrayInput[st.NoInput] = Left(piece, t + 5);
  return Aggiungi(st, Mid(piece, t + 6)) && Aggiungi(st, "END IF");
}

// "A = 1 : LOOP1 : B = 2" -> A = 1 / A>LOOP1: / B = 2. A piece before a
// colon with no blank, operator or bracket is a label; the last piece never is.
bool DividiIstruzioni(CompileState& st, const std::string& line) {
  std::string rest = line;
  for (int c = InStr(rest, ":"); c > 0; c = InStr(rest, ":")) {
    const std::string piece = Trim(Left(rest, c - 1));
    if (!Aggiungi(st, piece)) return false;
    if (StartsWith(piece, "IF") && !EspandiIfNelSegmento(st, piece)) return false;
    if (!ContainsAny(st.ArrayInput[st.NoInput], kStatementMarksInPiece)) {
      if (StartsWith(piece, "@")) {
        st.IstruzioneCorrente.clear();
        SegnalaErrore(st, "Non è ammesso l'uso del caratere '@' come inizion di una Label");
        return false;
      }
      st.ArrayInput[st.NoInput] = LabelLine(piece);
    }
    rest = Trim(Mid(rest, c + 1));
  }
  if (rest.empty()) return true;
  if (!Aggiungi(st, rest)) return false;
  return !StartsWith(rest, "IF") || EspandiIfNelSegmento(st, rest);
}

// OUTPUT B3, 1 -> SET B3; OUTPUT B3, 0 -> RESET B3;
// OUTPUT B3, X -> IF X=0 THEN / RESET B3 / ELSE / SET B3, and the line
// itself becomes END IF. Other OUTPUT statements are left alone.
bool RiscriviOutput(CompileState& st, std::string& line) {
  if (!StartsWith(line, "OUTPUT ")) return true;
  const int comma = InStr(line, ",");
  if (comma == 0) return true;
  const std::string target = Trim(Mid(line, 8, comma - 8));
  const std::string value = Trim(Mid(line, comma + 1));
  if (!IsPortLine(target)) return true;
  if (value == "0") {
    line = "RESET " + target;
    return true;
  }
  if (value == "1") {
    line = "SET " + target;
    return true;
  }
  line = "END IF";
  return Aggiungi(st, "IF " + value + "=0 THEN") && Aggiungi(st, "RESET " + target) &&
         Aggiungi(st, "ELSE") && Aggiungi(st, "SET " + target);
}

bool ControllaParentesi(CompileState& st, const std::string& line) {
  if (!ContainsAny(line, "()")) return true;
  int depth = 0;
  for (char c : line) {
    if (depth < 0) break;
    if (c == '(') depth += 1;
    if (c == ')') depth -= 1;
  }
  if (depth == 0) return true;
  SegnalaErrore(st, "Controllare il livello di parentesi: ");
  return false;
}

// IF c THEN s1 ELSE s2  ->  IF c THEN / s1 / ELSE / s2 / END IF
// IF c THEN s1          ->  IF c THEN / s1 / END IF
bool EspandiIfSuUnaRiga(CompileState& st, const std::string& line) {
  const int t = InStr(line, " THEN");
  const int e = InStr(line, " ELSE ");
  if (t == 0 || EndsWith(line, " ELSE") || (e > 0 && e < t)) {
    SegnalaErrore(st, "Struttura IF non corretta, controllare:", line);
    return false;
  }
  if (!Aggiungi(st, Left(line, t + 4))) return false;
  if (e > 0) {
    if (!Aggiungi(st, Trim(Mid(line, t + 5, e - t - 5))) || !Aggiungi(st, "ELSE") ||
        !Aggiungi(st, LTrim(Mid(line, e + 6))))
      return false;
  } else if (!Aggiungi(st, LTrim(Mid(line, t + 5)))) {
    return false;
  }
  return Aggiungi(st, "END IF");
}

// Where the main program ends and where the last SUB ends (-1: not seen).
struct FineProgramma {
  int end = -1;
  int lastEndSub = -1;
};

// Rewrites one source line and appends what it becomes to ArrayInput.
// False after reporting an error.
bool NormalizzaRiga(CompileState& st, std::string line, FineProgramma& fine) {
  line = LTrim(line);
  if (StartsWith(line, "'")) line.clear();

  const int a = InStr(line, "'");
  if (a > 0 && a < InStr(line, "\"")) line = Left(line, a - 1);

  if (!MaiuscoloFuoriStringhe(st, line)) return false;
  for (char& c : line)
    if (c == '\t') c = ' ';
  if (!ConvertiBinari(st, line) || !ConvertiAsc(st, line) || !ConvertiEsadecimali(st, line))
    return false;

  const int comment = InStr(line, "'");
  if (comment > 0) line = Left(line, comment - 1);
  line = Trim(line);

  if (!RiduciParolaChiave(st, line, "PORT", "Controllare l'istruzione: ") ||
      // The port-change interrupt statements keep their LINE: "ON LINE INTERRUPT
      // CALL" and the enable/disable pair "SET LINE INTERRUPT ON/OFF".
      !RiduciParolaChiave(st, line, "LINE", "Controllare l'istuzione: ", {"ON LINE INT", "SET LINE INT"}))
    return false;
  line = SpaziSingoli(line);
  if (line == "ENDIF") line = "END IF";

  const int c = InStr(line, ":");
  if (c > 0 && c == Len(line)) {
    if (!ContainsAny(line, kStatementMarksAtColon)) return AggiungiEtichetta(st, Left(line, c - 1));
    line = Trim(Left(line, c - 1));
  } else if (c > 0 && !StartsWith(line, "ASM")) {
    return DividiIstruzioni(st, line);
  }

  if (!RiscriviOutput(st, line) || !ControllaParentesi(st, line)) return false;
  if (StartsWith(line, "IF ") && !EndsWith(line, " THEN")) return EspandiIfSuUnaRiga(st, line);
  if (line.empty()) return true;
  if (!Aggiungi(st, line)) return false;
  if (line == "END") fine.end = st.NoInput;
  if (line == "END SUB") fine.lastEndSub = st.NoInput;
  return true;
}

}  // namespace

void Normalise(CompileState& st, const std::string& basicText) {
  st.NoInput = 0;
  st.RigaCorrente = 0;  // counts the source lines: each statement keeps the number of its own
  FineProgramma fine;
  size_t from = 0;
  for (size_t to = basicText.find("\r\n"); to != std::string::npos;
       to = basicText.find("\r\n", from)) {
    st.IstruzioneCorrente = basicText.substr(from, to - from);
    st.RigaCorrente += 1;
    from = to + 2;
    if (!NormalizzaRiga(st, st.IstruzioneCorrente, fine)) return;
  }

  NessunaIstruzione(st);
  if (fine.end < 0) {
    SegnalaErrore(st,
                  "Il programma main deve concludersi con lo step END. Non è stata trovata "
                  "l'istruzione END");
    return;
  }
  if (fine.lastEndSub >= 0 && fine.end > fine.lastEndSub)
    SegnalaErrore(st,
                  "La definizione delle Subroutine deve seguire il programma main (principale).");
}

}  // namespace velmora
