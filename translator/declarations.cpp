// SPDX-License-Identifier: GPL-3.0-or-later
// Variables and DIM.
//
// The DIM pass turns every declaration above the first IF/DO line into FAT
// rows (name, type word, size in bytes), counts the bytes in NoByteRAM and
// empties the DIM lines. Addresses are given later, when the assembly writer
// writes the equates in FAT order. A DIM below the first IF/DO is left in
// place, and no later pass accepts it.
#include "declarations.h"

#include <algorithm>

#include "encoding.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// The type words a declaration may use; the position at which the written
// type occurs in this text gives the element size (see ElementSize).
constexpr std::string_view kTypeWords = "BYTE INTEGER SINGLE FLOAT LONG WORD ";

// Element size from the 1-based position of the type in kTypeWords: BYTE 1,
// INTEGER and WORD 2, LONG 8, and 4 for SINGLE, FLOAT or any other fragment.
int ElementSize(int position) {
  switch (position) {
    case 1: return 1;
    case 6:
    case 32: return 2;
    case 27: return 8;
    default: return 4;
  }
}

// Bytes an array entry takes: element size times the count between the
// brackets, rounded half to even. Kept within a range that no program comes
// near, so an absurd count still ends in the capacity message.
int ArraySize(int element, const std::string& count) {
  const double bytes = RoundHalfEven(element * Val(count));
  return static_cast<int>(std::clamp(bytes, -1.0e6, 1.0e6));
}

bool IsDeclared(const CompileState& st, const std::string& name) {
  for (int k = 1; k <= st.NoFAT; ++k)
    if (st.FAT[k].name == name) return true;
  return false;
}

void SegnalaCapacita(CompileState& st) {
  SegnalaErrore(st, "Dimensionamento delle variabili (" + Dec(st.NoByteRAM) + "-Byte)\r\n" +
                        "oltre la capacità consentita di " +
                        Dec(st.MaxByteRAM - st.ByteRiservati) + "-Byte !\r\n" +
                        "(Byte riservati: " + Dec(st.ByteRiservati) + ")");
}

// DIM A, BUF[4], C AS INTEGER: one FAT row per name; the line is emptied.
// False after reporting.
bool DichiaraRiga(CompileState& st, int i) {
  const std::string line = st.ArrayInput[i];
  Corrente(st, i);
  const int as = InStr(line, " AS ");
  if (as == 0) {
    SegnalaErrore(st, "Dimensionamento variabile non corretto");
    return false;
  }
  const std::string type = Trim(Mid(line, as + 4));
  const int typePosition = InStr(kTypeWords, type);
  if (typePosition == 0) {
    SegnalaErrore(st, "Tipologia della variabile non riconoscita");
    return false;
  }
  const int element = ElementSize(typePosition);
  std::string list = Trim(Mid(line, 5, std::max(0, as - 5)));
  if (list.empty()) {
    SegnalaErrore(st, "Definizione o nome variabile non ammessa");
    return false;
  }

  for (const std::string& piece : SplitAtCommas(list)) {
    std::string name = Trim(piece);
    int size = element;
    const int open = InStr(name, "[");
    if (open > 0) {
      const int close = InStr(name, "]");
      if (close == 0) {
        SegnalaErrore(st, "Definizione di array non ammessa");
        return false;
      }
      size = ArraySize(element, Mid(name, open + 1, std::max(0, close - open - 1)));
      name = Left(name, open - 1);
    }
    if (IsReservedName(name)) {
      SegnalaErrore(st, "Nome di variabile riservato dal sistema o sintassi sbagliata");
      return false;
    }
    // Two rows of one name would give the assembler two equates of it.
    if (IsDeclared(st, name)) {
      SegnalaErrore(st, "Variabile già definita: ", name);
      return false;
    }
    if (IsAssemblerWord(name))
      SegnalaAvviso(st, "il nome " + encoding::Cp1252ToUtf8(name) +
                            " è una parola riservata dell'assemblatore (un'istruzione o una direttiva): "
                            "la riga EQU della variabile non si assembla, usare un altro nome");
    // With FAT full the declared bytes are past the capacity anyway (unless
    // the names take no room at all): say so rather than "table full".
    if (st.NoFAT >= CompileState::kMaxFat &&
        st.NoByteRAM + size > st.MaxByteRAM - st.ByteRiservati) {
      st.NoByteRAM += size;
      SegnalaCapacita(st);
      return false;
    }
    if (!AggiungiVariabile(st, name, type, Dec(size))) return false;
    st.NoByteRAM += size;
  }
  st.ArrayInput[i] = "";
  return true;
}

}  // namespace

void TraduciDim(CompileState& st) {
  st.NoByteRAM = 0;
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (StartsWith(line, "IF ") || StartsWith(line, "DO ")) break;
    if (!StartsWith(line, "DIM ")) continue;
    if (!DichiaraRiga(st, i)) return;
  }
  if (st.NoByteRAM > st.MaxByteRAM - st.ByteRiservati) SegnalaCapacita(st);
}

bool IsReservedName(const std::string& name) {
  static constexpr std::string_view kReserved[] = {"W",    "F",  "OR", "AND", "IF",
                                                   "ELSE", "THEN", "DO", "LOOP"};
  if (name.find(' ') != std::string::npos) return true;
  return std::find(std::begin(kReserved), std::end(kReserved), name) != std::end(kReserved);
}

bool IsAssemblerWord(const std::string& name) {
  // The instructions of the chip, the assembler's own extra instructions and
  // the directives a variable name could collide with.
  static constexpr std::string_view kWords[] = {
      "ADDWF", "ANDWF", "CLRF",   "CLRW",   "COMF",   "DECF",   "DECFSZ", "INCF",   "INCFSZ", "IORWF",
      "MOVF",  "MOVWF", "NOP",    "RLF",    "RRF",    "SUBWF",  "SWAPF",  "XORWF",  "BCF",    "BSF",
      "BTFSC", "BTFSS", "ADDLW",  "ANDLW",  "CALL",   "CLRWDT", "GOTO",   "IORLW",  "MOVLW",  "RETFIE",
      "RETLW", "RETURN", "SLEEP", "SUBLW",  "XORLW",  "OPTION", "TRIS",   "ADDCF",  "ADDDCF", "B",
      "BC",    "BDC",   "BNC",    "BNDC",   "BNZ",    "BZ",     "CLRC",   "CLRDC",  "CLRZ",   "LCALL",
      "LGOTO", "MOVFW", "NEGF",   "SETC",   "SETDC",  "SETZ",   "SKPC",   "SKPDC",  "SKPNC",  "SKPNDC",
      "SKPNZ", "SKPZ",  "SUBCF",  "SUBDCF", "TSTF",   "ORG",    "END",    "EQU",    "SET",    "DATA",
      "RES",   "LIST",  "PAGE",   "TITLE",  "HIGH",   "LOW",    "DB",     "DW",     "DT",     "DE"};
  return std::find(std::begin(kWords), std::end(kWords), name) != std::end(kWords);
}

int VariableSize(const CompileState& st, const std::string& name) {
  if (name.empty()) return 0;
  for (int k = 1; k <= st.NoFAT; ++k) {
    const std::string& type = st.FAT[k].type;
    if (st.FAT[k].name != name) continue;
    if (type == "INTEGER" || type == "WORD") return 2;
    if (type == "SINGLE" || type == "FLOAT") return 4;
    if (type == "LONG") return 8;
    return 1;
  }
  return 0;
}

}  // namespace velmora
