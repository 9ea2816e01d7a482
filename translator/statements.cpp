// The statement dispatcher and the simple statements.
//
// TraduciIstruzione tests one unfinished line against the statement keywords
// in a fixed order (prefix tests include their blank; exact tests compare the
// whole line) and turns the first match into finished lines at the line's
// place. Interrupt and timer statements and WRITE are recognised here and
// handed to their own files. A line that matches nothing is left as it is for
// the block and assignment passes.
#include "statements.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "assignment.h"
#include "data_eeprom.h"
#include "declarations.h"
#include "encoding.h"
#include "interrupts.h"
#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// The text of an ASM line with its first "&H" back to the "0x" the assembler
// reads. Only the first: a second hexadecimal number keeps its "&H", which
// the assembler rejects, so line i gets a warning naming it.
std::string AsmHex(CompileState& st, int i, std::string text) {
  ReplaceFirst(text, "&H", "0x");
  const int rest = InStr(text, "&H");
  if (rest > 0) {
    size_t end = static_cast<size_t>(rest) + 1;
    while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) ++end;
    const std::string number = text.substr(static_cast<size_t>(rest - 1), end - static_cast<size_t>(rest - 1));
    st.Avvisi.push_back({st.ArrayInput.Source(i),
                         "ASM: solo il primo numero esadecimale dell'istruzione arriva all'assemblatore nella "
                         "forma 0x, gli altri nella forma &H (qui " +
                             encoding::Cp1252ToUtf8(number) + "), che l'assemblatore non riconosce",
                         {}});
  }
  return text;
}


// SWAP BINARY X (one-byte X): SWAPF X , F.
void TraduciSwapBinary(CompileState& st, int i, const std::string& line) {
  const std::string var = Trim(Mid(line, 13));
  if (VariableSize(st, var) != 1) {
    SegnalaErrore(st, "Variabile non definita o istruzione SWAP Binary non ammessa");
    return;
  }
  ScriviRighe(st, i, {Ins("SWAPF " + var + " , F")});
}

// SWAP BYTE A, B: exchanges two variables through W#VLTx (six lines).
void TraduciSwapByte(CompileState& st, int i, const std::string& line) {
  const std::string rest = Mid(line, 11);
  const int comma = InStr(rest, ",");
  if (comma == 0) {
    SegnalaErrore(st, "Sintassi errata per l'istruzione SWAP Byte");
    return;
  }
  const std::string a = Trim(Left(rest, comma - 1));
  const std::string b = Trim(Mid(rest, comma + 1));
  if (!IsVariable(st, a) || !IsVariable(st, b)) {
    SegnalaErrore(st, "Swap con variabile non definita");
    return;
  }
  ScriviRighe(st, i, {Ins("MOVF " + a + " , W"), Ins("MOVWF W#VLTx"), Ins("MOVF " + b + " , W"),
                      Ins("MOVWF " + a), Ins("MOVF W#VLTx , W"), Ins("MOVWF " + b)});
}

// ASM{ ... } over one or more lines: each non-empty line of the block becomes
// an assembly line (its first "&H" back to "0x"); the line holding "}" ends
// the block. Lines already finished inside the block (labels the normaliser
// has turned into label lines) are kept as they are.
void TraduciBloccoAsm(CompileState& st, int i, const std::string& line) {
  st.ArrayInput[i] = Mid(line, 5);
  for (int j = i; j <= st.NoInput; ++j) {
    if (Trim(st.ArrayInput[j]).empty() || IsFinished(Trim(st.ArrayInput[j]))) continue;
    std::string text = AsmHex(st, j, Trim(st.ArrayInput[j]));
    if (InStr(text, "{") > 0) {
      SegnalaErrore(st, "Errore di sintassi, controllare le parentesi nell'istruzione: ", line);
      return;
    }
    const bool last = EndsWith(text, "}");
    if (text == "}") {
      st.ArrayInput[j] = "";
      return;
    }
    if (last) text = Trim(Left(text, Len(text) - 1));
    if (InStr(text, "}") > 0) {
      SegnalaErrore(st, "Errore si sintassi, controllare: ", line);
      return;
    }
    st.ArrayInput[j] = AsmText(text);
    if (last) return;
  }
  SegnalaErrore(st, "Blocco di istruzioni ASM non chiuso tra parentesi {}");
}

// ASM(instruction) on one line, or ASM{ opening a block.
void TraduciAsm(CompileState& st, int i, const std::string& line) {
  const std::string form = Mid(line, 4, 1);
  if (form == "{") {
    TraduciBloccoAsm(st, i, line);
    return;
  }
  if (form != "(") {
    SegnalaErrore(st, "Errore si sintassi, controllare : ", line);
    return;
  }
  if (!EndsWith(line, ")")) {
    SegnalaErrore(st, "Controllare l'istruzione ASM: ", line);
    return;
  }
  st.ArrayInput[i] = AsmText(AsmHex(st, i, Trim(Mid(line, 5, Len(line) - 5))));
}

// CALL name of a declared SUB: the line as an instruction.
void TraduciCall(CompileState& st, int i, const std::string& line) {
  if (!IsSubroutine(st, Trim(Mid(line, 6)))) {
    SegnalaErrore(st, "Subroutine non definita");
    return;
  }
  st.ArrayInput[i] = Ins(line);
}

// CLEAR B: CLRF Reg_PortB; CLEAR B3: BCF Reg_PortB , Bit_3.
void TraduciClear(CompileState& st, int i, const std::string& line) {
  const std::string arg = LTrim(Mid(line, 7));
  if (IsPortLetter(arg)) {
    st.ArrayInput[i] = Ins("CLRF Reg_Port" + arg);
    return;
  }
  if (IsPortLine(arg)) {
    st.ArrayInput[i] = Ins("BCF Reg_Port" + Left(arg, 1) + " , Bit_" + Right(arg, 1));
    return;
  }
  SegnalaErrore(st, "Azzeramento di porta/linea non valido");
}

// OUTPUT A, value: MOVLW k or MOVF V , W, then MOVWF Reg_PortA.
void TraduciOutput(CompileState& st, int i, const std::string& line) {
  const int comma = InStr(line, ",", 8);
  if (comma == 0) {
    SegnalaErrore(st, "Sintassi non corretta dell'istruzione");
    return;
  }
  const std::string port = Trim(Mid(line, 8, comma - 8));
  const std::string value = Trim(Mid(line, comma + 1));
  const bool number = IsNumber(value);
  if (!IsPortLetter(port) || (!number && !IsVariable(st, value))) {
    SegnalaErrore(st, "Istruzione OUTPUT non riconosciuta");
    return;
  }
  std::string load;
  if (number) {
    const std::string k = HexOperando(st, value);
    if (st.Flag_Errore) return;
    load = Ins("MOVLW " + k);
  } else {
    load = Ins("MOVF " + value + " , W");
  }
  ScriviRighe(st, i, {load, Ins("MOVWF Reg_Port" + port)});
}

// The TRIS update of one line: MOVF Reg_TrisP , W; IORLW mask (input) or
// ANDLW not-mask (output); MOVWF Reg_TrisP. Port from the first character,
// line from the last.
void AggiungiLineaTris(Lines& out, const std::string& item, bool input) {
  const std::string port = Left(item, 1);
  const int mask = 1 << static_cast<int>(Val(Right(item, 1)));
  out.push_back(Ins("MOVF Reg_Tris" + port + " , W"));
  out.push_back(input ? Ins("IORLW " + FormatHex(mask)) : Ins("ANDLW " + FormatHex(255 - mask)));
  out.push_back(Ins("MOVWF Reg_Tris" + port));
}

// RECONFIG items AS INPUT|OUTPUT: rewrites TRIS registers in bank 1.
//   RECONFIG B AS ...        whole port (four lines)
//   RECONFIG B3 AS ...       one line (five lines)
//   RECONFIG B0, A AS ...    a list of ports and lines, one bank switch around all
void TraduciReconfig(CompileState& st, int i, const std::string& line) {
  const bool input = InStr(line, " INPUT") > 0;
  const int as = InStr(line, " AS ");
  if (as == 0) {
    SegnalaErrore(st, "Controllore l'istruzione di riconfiggurazionePorta/Linea I/O");
    return;
  }
  // "RECONFIG AS ..." names nothing: the " AS " starts at 9, no item before it.
  const std::string items = Trim(Mid(line, 10, std::max(0, as - 10)));
  Lines out{Ins("BSF Reg_Status , Bit_5")};
  if (Len(items) == 1) {
    if (!IsPortLetter(items)) {
      SegnalaErrore(st, "Porta non gestibile");
      return;
    }
    out.push_back(input ? Ins("MOVLW 0xff") : Ins("MOVLW 0"));
    out.push_back(Ins("MOVWF Reg_Tris" + items));
  } else if (Len(items) == 2) {
    if (!IsPortLine(items)) {
      SegnalaErrore(st, "Linea di Input/Output non gestibile");
      return;
    }
    AggiungiLineaTris(out, items, input);
  } else if (items.empty()) {
    SegnalaErrore(st, "Controllore l'istruzione di ReConfig Porta Input/Output");
    return;
  } else {
    if (InStr(items, ",") == 0) {
      SegnalaErrore(st, "Riconfigurazioni multiple non valide");
      return;
    }
    constexpr int kMaxItems = 30;
    int count = 0;
    for (const std::string& piece : SplitAtCommas(items)) {
      const std::string item = Trim(piece);
      if (item.empty()) continue;
      if (++count > kMaxItems) {
        SegnalaErrore(st, "Riconfigurazioni multiple non valide");
        return;
      }
      if (Len(item) == 1) {
        out.push_back(input ? Ins("MOVLW 0xFF") : Ins("MOVLW 0"));
        out.push_back(Ins("MOVWF Reg_Tris" + item));
      } else {
        AggiungiLineaTris(out, item, input);
      }
    }
  }
  out.push_back(Ins("BCF Reg_Status2 , Bit_5"));
  ScriviRighe(st, i, out);
}

// SET/RESET (BSF/BCF) of the carry, a port line or a whole port. Only the
// last two characters of the line name the port or line.
void TraduciSetReset(CompileState& st, int i, const std::string& line, bool set) {
  if (EndsWith(line, " CARRY")) {
    st.ArrayInput[i] = Ins(std::string(set ? "BSF" : "BCF") + " Reg_Status , Flag_C");
    return;
  }
  const std::string last = Right(line, 2);
  if (IsPortLine(last)) {
    st.ArrayInput[i] = Ins(std::string(set ? "BSF" : "BCF") + " Reg_Port" + Left(last, 1) + " , Bit_" + Right(last, 1));
    return;
  }
  const std::string port = LTrim(last);
  if (!IsPortLetter(port)) {
    SegnalaErrore(st, "Indice della linea di I/O non valido");
    return;
  }
  if (set) {
    ScriviRighe(st, i, {Ins("MOVLW 0xFF"), Ins("MOVWF Reg_Port" + port)});
    return;
  }
  st.ArrayInput[i] = Ins("CLRF Reg_Port" + port);
}

// ROTATE/SHIFT RIGHT|LEFT var[, n]: n times RRF/RLF var , F, each preceded by
// BCF Reg_Status , Flag_C for a shift (a zero enters the vacated bit).
void TraduciRotazione(CompileState& st, int i, const std::string& line, int keywordLength, bool right,
                      bool shift) {
  const std::string rest = Mid(line, keywordLength + 1);
  const int comma = InStr(rest, ",");
  std::string var = LTrim(rest);
  int n = 1;
  if (comma > 0) {
    var = Trim(Left(rest, comma - 1));
    n = ToInt16(Val(Mid(rest, comma + 1))).value_or(0);
    if (n < 1 || n > 8) {
      SegnalaErrore(st, shift ? "Indice di shift non valido" : "Indice di rotazione non valido");
      return;
    }
  }
  Lines out;
  for (int k = 0; k < n; ++k) {
    if (shift) out.push_back(Ins("BCF Reg_Status , Flag_C"));
    out.push_back(Ins(std::string(right ? "RRF " : "RLF ") + var + " , F"));
  }
  ScriviRighe(st, i, out);
}

// The load of a WAIT count into W: MOVLW k or MOVF V , W.
std::string CaricaConteggio(const CompileState& st, const std::string& count) {
  if (IsVariable(st, count)) return Ins("MOVF " + count + " , W");
  return Ins("MOVLW " + FormatHex(ToInt16(Val(count)).value_or(0)));
}

// A WAIT count given as a constant: its rounded value, or 0 when it is no byte count.
int ConteggioCostante(const std::string& count) {
  const int n = ToInt16(Val(count)).value_or(0);
  return n >= 1 && n <= 255 ? n : 0;
}

// WAIT                  NOP
// WAIT n (1..5)         n NOPs
// WAIT n (6..255) or V  load; MOVWF W#VLTx; NOP; DECFSZ W#VLTx , F; GOTO $-2
// WAIT a, b             two nested loops on W#VLTy (outer) and W#VLTx (inner)
void TraduciWait(CompileState& st, int i, const std::string& line) {
  if (line == "WAIT") {
    st.ArrayInput[i] = Ins("NOP");
    return;
  }
  const int comma = InStr(line, ",");
  if (comma > 0) {
    st.Flag_VLTy = true;
    const std::string outer = Trim(Mid(line, 6, comma - 6));
    const std::string inner = Trim(Mid(line, comma + 1));
    for (const std::string* count : {&outer, &inner}) {
      if (IsNumber(*count) && !IsVariable(st, *count) && ConteggioCostante(*count) == 0) {
        SegnalaErrore(st, "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255");
        return;
      }
    }
    for (const std::string* count : {&outer, &inner})
      if (!IsNumber(*count) && !IsVariable(st, *count)) return;  // left for the unresolved-line check
    ScriviRighe(st, i, {CaricaConteggio(st, outer), Ins("MOVWF W#VLTy"), CaricaConteggio(st, inner),
                        Ins("MOVWF W#VLTx"), Ins("NOP"), Ins("DECFSZ W#VLTx , F"), Ins("GOTO $-2"),
                        Ins("DECFSZ W#VLTy , F"), Ins("GOTO $-6")});
    return;
  }
  if (Mid(line, 5, 1) != " ") return;  // WAITX = ...: not a WAIT statement
  const std::string count = Trim(Mid(line, 6));
  if (!IsVariable(st, count)) {
    const int n = IsNumber(count) ? ConteggioCostante(count) : 0;
    if (n == 0) {
      SegnalaErrore(st, "Costante numerica non valida");
      return;
    }
    if (n <= 5) {
      ScriviRighe(st, i, Lines(static_cast<size_t>(n), Ins("NOP")));
      return;
    }
  }
  ScriviRighe(st, i, {CaricaConteggio(st, count), Ins("MOVWF W#VLTx"), Ins("NOP"), Ins("DECFSZ W#VLTx , F"),
                      Ins("GOTO $-2")});
}

}  // namespace

void TraduciIstruzione(CompileState& st, int i) {
  const std::string line = st.ArrayInput[i];
  Corrente(st, i);

  if (StartsWith(line, "SWAP BINARY ")) return TraduciSwapBinary(st, i, line);
  if (StartsWith(line, "SWAP BYTE ")) return TraduciSwapByte(st, i, line);
  if (StartsWith(line, "ASM")) return TraduciAsm(st, i, line);
  if (StartsWith(line, "GOTO ")) {
    st.ArrayInput[i] = Ins(line);
    return;
  }
  if (StartsWith(line, "CALL ")) return TraduciCall(st, i, line);
  if (line == "CLEAR CARRY" || line == "CLEAR FLAG CARRY") {
    st.ArrayInput[i] = Ins("BCF Reg_Status , Flag_C");
    return;
  }
  if (StartsWith(line, "CLEAR ")) return TraduciClear(st, i, line);
  if (line == "END") {
    ScriviRighe(st, i, {Ins("SLEEP"), Ins("GOTO $-1")});
    return;
  }
  if (StartsWith(line, "SET INIT TIMER TO")) return TraduciSetInitTimer(st, i);
  if (StartsWith(line, "ON TIMER INTERRUPT CALL ") || StartsWith(line, "ON EXTERNAL INTERRUPT CALL ") ||
      StartsWith(line, "ON LINE INTERRUPT CALL "))
    return TraduciOnInterrupt(st, i);
  if (StartsWith(line, "OUTPUT ")) return TraduciOutput(st, i, line);
  if (StartsWith(line, "RECONFIG ")) return TraduciReconfig(st, i, line);
  if (StartsWith(line, "RESET ")) return TraduciSetReset(st, i, line, false);
  if (StartsWith(line, "ROTATE RIGHT ")) return TraduciRotazione(st, i, line, 13, true, false);
  if (StartsWith(line, "ROTATE LEFT ")) return TraduciRotazione(st, i, line, 12, false, false);
  if (TraduciTimerBit(st, i)) return;  // the exact SET TIMER/CLOCK/INTERRUPT statements
  if (StartsWith(line, "SET TIMER RATE TO ")) return TraduciTimerRate(st, i);
  if (line == "SET FLAG CARRY") {
    st.ArrayInput[i] = Ins("BSF Reg_Status , Flag_C");
    return;
  }
  if (StartsWith(line, "SET ")) return TraduciSetReset(st, i, line, true);
  if (StartsWith(line, "SHIFT RIGHT ")) return TraduciRotazione(st, i, line, 12, true, true);
  if (StartsWith(line, "SHIFT LEFT ")) return TraduciRotazione(st, i, line, 11, false, true);
  if (line == "STOP") {
    st.ArrayInput[i] = Ins("SLEEP");
    return;
  }
  if (StartsWith(line, "WAIT")) return TraduciWait(st, i, line);
  if (StartsWith(line, "WRITE ")) return TraduciWrite(st, i);
}

void TraduciIstruzioni(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i) {
    const std::string& line = st.ArrayInput[i];
    if (line.empty() || IsFinished(line)) continue;
    TraduciIstruzione(st, i);
    if (st.Flag_Errore) return;
  }
}

}  // namespace velmora
