#include "compile_state.h"

#include <algorithm>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {
constexpr int kMarker = 12345;
}

void CompileState::ResetForTranslation() {
  Flag_Errore = false;
  NoFAT = 0;
  NoSUB = 0;
  NoCALL = 0;
  LivelloStack = 0;
  MarkerLabel = 0;
  MarkerVar = 0;
  Flag_INT = Flag_INT_TMR0 = Flag_INT_RB = Flag_INT_RB0 = false;
  NoINT = 0;
  LabelFineINT.clear();
  Flag_Routine = Flag_WRT = Flag_RD = Flag_DV10 = false;
  MaxDinamiche = 0;
  PoolDinamiche.clear();
  for (int k = 1; k <= kPoolSize; ++k) PoolDinamiche += static_cast<char>(k);
  NoDATA = 0;
  TimerInit = 0;
  TimerInitVar.clear();
  NoSetInitTimer = 0;
  Flag_VLTy = false;
  RigaCorrente = 0;
  Errori.clear();
  Avvisi.clear();
  SorgenteASM.clear();
}

void Corrente(CompileState& st, int i) {
  st.IstruzioneCorrente = st.ArrayInput[i];
  st.RigaCorrente = st.ArrayInput.Source(i);
}

void NessunaIstruzione(CompileState& st) {
  st.IstruzioneCorrente.clear();
  st.RigaCorrente = 0;
}

void SegnalaAvviso(CompileState& st, const std::string& messageUtf8) {
  st.Avvisi.push_back({st.RigaCorrente, messageUtf8, {}});
}

bool InserisciRighe(CompileState& st, int position, int count) {
  if (count < 1) return true;
  if (st.NoInput + count > CompileState::kMaxLines) {
    SegnalaErrore(st, "Programma troppo esteso: la traduzione supera il limite di " +
                          Dec(CompileState::kMaxLines) + " righe");
    return false;
  }
  if (position >= 1 && position <= st.NoInput) {
    st.ArrayInput.OpenGap(position, st.NoInput, count);
  } else {
    for (int k = st.NoInput; k >= position; --k) st.ArrayInput[k + count] = st.ArrayInput[k];
    for (int k = std::max(position, st.NoInput + 1); k < position + count; ++k) st.ArrayInput.SetSource(k, 0);
  }
  st.NoInput += count;
  return true;
}

void EliminaRiga(CompileState& st, int position) {
  if (st.NoInput < 1) return;
  if (position >= 1 && position <= st.NoInput) {
    st.ArrayInput.Remove(position, st.NoInput);
  } else {
    for (int k = position; k < st.NoInput; ++k) st.ArrayInput[k] = std::move(st.ArrayInput[k + 1]);
    st.ArrayInput[st.NoInput] = "";
  }
  st.NoInput -= 1;
}

bool ScriviRighe(CompileState& st, int i, const Lines& lines) {
  if (lines.empty()) return true;
  if (!InserisciRighe(st, i, static_cast<int>(lines.size()) - 1)) return false;
  for (size_t k = 0; k < lines.size(); ++k) st.ArrayInput[i + static_cast<int>(k)] = lines[k];
  return true;
}

std::string NuovaLabel(CompileState& st) {
  if (st.MarkerLabel != kMarker) {
    st.ContatoreLabel = 0;
    st.MarkerLabel = kMarker;
  }
  st.ContatoreLabel += 1;
  return st.PrefissoLabel + Dec(st.ContatoreLabel);
}

bool AggiungiVariabile(CompileState& st, const std::string& name, const std::string& type,
                       const std::string& size) {
  if (st.NoFAT >= CompileState::kMaxFat) {
    SegnalaErrore(st, "Troppe variabili: superato il limite di " + Dec(CompileState::kMaxFat) +
                          " righe della tabella delle variabili");
    return false;
  }
  st.NoFAT += 1;
  st.FAT[st.NoFAT] = FatRow{name, type, size};
  return true;
}

std::string NuovaVariabile(CompileState& st) {
  if (st.MarkerVar != kMarker) {
    st.ContatoreVar = 0;
    st.MarkerVar = kMarker;
  }
  st.ContatoreVar += 1;
  std::string name = st.PrefissoVar + Dec(st.ContatoreVar);
  AggiungiVariabile(st, name, "BYTE", "1");
  return name;
}

std::string AcquisisciDinamica(CompileState& st) {
  int k = 0;
  for (int c = 1; c <= Len(st.PoolDinamiche); ++c) {
    if (st.PoolDinamiche[static_cast<size_t>(c - 1)] > 0) {
      k = st.PoolDinamiche[static_cast<size_t>(c - 1)];
      break;
    }
  }
  if (k == 0) {
    st.IstruzioneCorrente.clear();
    SegnalaErrore(st, "Errore di sistema: impossibile generare variabili dinamiche");
    return "W#D?";
  }
  std::string name = "W#D" + Dec(k);
  st.PoolDinamiche[static_cast<size_t>(k - 1)] = '\0';
  if (k > st.MaxDinamiche) {
    st.MaxDinamiche = k;
    AggiungiVariabile(st, name, "BYTE", "1");
  }
  return name;
}

void RilasciaDinamica(CompileState& st, const std::string& name) {
  const double v = Val(Mid(name, 4));
  const int k = static_cast<int>(v);
  if (v != k || k < 1 || k > Len(st.PoolDinamiche)) return;
  st.PoolDinamiche[static_cast<size_t>(k - 1)] = static_cast<char>(k);
}

std::string FormatHex(int value) {
  if (value == 0) return "0";
  return "0x" + Right("00" + Hex(value), 2);
}

bool IsVariable(const CompileState& st, const std::string& name) {
  if (name.empty()) return false;
  if (StartsWith(name, "W#")) return true;
  for (int i = 1; i <= st.NoFAT; ++i)
    if (st.FAT[i].name == name) return true;
  return false;
}

bool IsPortLetter(const std::string& t) { return t == "A" || t == "B"; }

bool IsPortLine(const std::string& t) {
  if (t.size() != 2) return false;
  if (t[0] == 'A') return t[1] >= '0' && t[1] <= '4';
  if (t[0] == 'B') return t[1] >= '0' && t[1] <= '7';
  return false;
}

}  // namespace velmora
