// SPDX-License-Identifier: GPL-3.0-or-later
// Function calls in IF conditions: the IF translator compares variables and
// constants only, so a call in a condition is first assigned to a work byte
// (the assignment pass translates it later) and the IF tests that byte.
#include "if_calls.h"

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

}  // namespace

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

}  // namespace velmora
