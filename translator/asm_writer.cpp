// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly writer.
//
// Builds the complete source in the assembly pane text: header, one equate
// per variable, the reset vector, the interrupt handler with its context save
// when an interrupt source is in use, the start-up lines, the translated
// program, the runtime routines the program needs and END.
#include "asm_writer.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "reporter.h"
#include "text.h"

namespace velmora {

using namespace text;

namespace {

// The credit is kept as pairs of hex digits, each pair's value plus 32 being
// one character code.
constexpr const char* kCreditoCodificato = "000D003645" "4C4D4F5241";

void Write(CompileState& st, std::string_view line) { ScriviRigaASM(st, line); }
// "        MOVWF X": an instruction of the writer's own.
void WriteIns(CompileState& st, std::string_view instruction) { ScriviRigaASM(st, Code(instruction)); }
// "@2:     SWAPF W#3 , W": a label and its instruction from column 9 (after
// one space when the label is longer).
void WriteLabelled(CompileState& st, std::string_view label, std::string_view instruction) {
  std::string s(label);
  s += ":";
  if (s.size() < 8)
    s.resize(8, ' ');
  else
    s += " ";
  ScriviRigaASM(st, s.append(instruction));
}
// A runtime routine: its label on the line of its first instruction, then the others.
void WriteRoutine(CompileState& st, std::string_view label, std::initializer_list<std::string_view> instructions) {
  bool first = true;
  for (std::string_view ins : instructions) {
    if (first)
      WriteLabelled(st, label, ins);
    else
      WriteIns(st, ins);
    first = false;
  }
}

// Appends the work bytes the writer owns. Returns the three interrupt bytes
// (empty names without interrupts).
struct InterruptBytes {
  std::string w, status, vltx;
};

bool AppendWorkBytes(CompileState& st, InterruptBytes& v) {
  if (!AggiungiVariabile(st, "W#VLTx", "BYTE", "1")) return false;
  if (st.Flag_VLTy && !AggiungiVariabile(st, "W#VLTy", "BYTE", "1")) return false;
  if (st.Flag_INT) {
    v.w = NuovaVariabile(st);
    v.status = NuovaVariabile(st);
    v.vltx = NuovaVariabile(st);
  }
  return !st.Flag_Errore;
}

// NAME<pad>EQU 0x0C    ;BYTE(1-Byte), addresses from InizioRAM in FAT order.
// The equates must stay inside the general-purpose RAM of the chip.
bool WriteEquates(CompileState& st) {
  int width = 8;
  for (int i = 1; i <= st.NoFAT; ++i) width = std::max(width, Len(st.FAT[i].name) + 1);
  int address = st.InizioRAM;
  for (int i = 1; i <= st.NoFAT; ++i) {
    const FatRow& row = st.FAT[i];
    std::string name = row.name;
    name.resize(static_cast<size_t>(width), ' ');
    Write(st, name + "EQU " + FormatHex(address) + "    ;" + row.type + "(" + row.size + "-Byte)");
    address += static_cast<int>(Val(row.size));
  }
  if (address > st.InizioRAM + st.MaxByteRAM) {
    st.TextASM.clear();
    NessunaIstruzione(st);
    SegnalaErrore(st, "Memoria RAM esaurita: le variabili e i byte di lavoro del traduttore richiedono " +
                          Dec(address - st.InizioRAM) + " byte (max " + Dec(st.MaxByteRAM) + ")");
    return false;
  }
  return true;
}

void WriteInit(CompileState& st) {
  for (int k = 1; k <= st.NoInit; ++k) Write(st, st.ArrayInit[k]);
}

void WriteBody(CompileState& st) {
  for (int i = 1; i <= st.NoInput; ++i)
    if (!st.ArrayInput[i].empty()) ScriviRigaASM(st, st.ArrayInput[i], st.ArrayInput.Source(i));
}

// The timer reload that replaces the dispatcher's placeholder before "MOVWF Reg_Tmr0".
std::string TimerReload(const CompileState& st) {
  if (IsVariable(st, st.TimerInitVar)) return Code("MOVF " + st.TimerInitVar + " , W");
  return Code("MOVLW 0x" + Hex(st.TimerInit));
}

void WriteInterruptHandler(CompileState& st, const InterruptBytes& v) {
  WriteIns(st, "MOVWF " + v.w);
  WriteIns(st, "SWAPF " + v.w + " , F");
  WriteIns(st, "SWAPF Reg_Status , W");
  WriteIns(st, "MOVWF " + v.status);
  WriteIns(st, "SWAPF W#VLTx , W");
  WriteIns(st, "MOVWF " + v.vltx);
  for (int k = 1; k <= st.NoINT; ++k) {
    std::string line = st.ArrayINT[k];
    if (k < st.NoINT && LTrim(st.ArrayINT[k + 1]) == "MOVWF Reg_Tmr0") line = TimerReload(st);
    if (k == st.NoINT && EndsWith(line, st.LabelFineINT)) continue;  // the label follows at once
    Write(st, line);
  }
  WriteLabelled(st, st.LabelFineINT, "SWAPF " + v.vltx + " , W");
  WriteIns(st, "MOVWF W#VLTx");
  WriteIns(st, "SWAPF " + v.status + " , W");
  WriteIns(st, "MOVWF Reg_Status");
  WriteIns(st, "SWAPF " + v.w + " , W");
  WriteIns(st, "RETFIE");
}

void WriteInterruptEnables(CompileState& st) {
  if (st.Flag_INT_TMR0) {
    for (const char* ins :
         {"BSF Reg_Status , Bit_5", "BSF Reg_Option , Bit_0", "BSF Reg_Option , Bit_1",
          "BSF Reg_Option , Bit_2", "BCF Reg_Option , Bit_3", "BSF Reg_Option , Bit_4",
          "BCF Reg_Option , Bit_5", "BCF Reg_Status2, Bit_5", "CLRF Reg_Tmr0",
          "BCF Reg_Intcon , Bit_2", "BSF Reg_Intcon , Bit_5"})
      WriteIns(st, ins);
  }
  if (st.Flag_INT_RB0) {
    WriteIns(st, "BCF Reg_Intcon , Bit_1");
    WriteIns(st, "BSF Reg_Intcon , Bit_4");
  }
  if (st.Flag_INT_RB) {
    WriteIns(st, "BCF Reg_Intcon , Bit_0");
    WriteIns(st, "BSF Reg_Intcon , Bit_3");
  }
  WriteIns(st, "BSF Reg_Intcon , Bit_7");
}

}  // namespace

std::string CreditoAutore() {
  const std::string code = kCreditoCodificato;
  std::string credit;
  for (size_t i = 0; i + 1 < code.size(); i += 2)
    credit += static_cast<char>(std::stoi(code.substr(i, 2), nullptr, 16) + 32);
  return credit;
}

void ScriviRigaASM(CompileState& st, std::string_view line, int source) {
  st.TextASM.append(OutputText(line)).append("\r\n");
  st.SorgenteASM.push_back(source);
}

void ScriviASM(CompileState& st) {
  if (st.Flag_Errore) return;
  st.TextASM.clear();
  st.SorgenteASM.clear();
  InterruptBytes v;
  if (!AppendWorkBytes(st, v)) return;

  WriteIns(st, "Title \"BASIC to PIC Translator\"");
  WriteIns(st, "SubTitle \"" + CreditoAutore() + "\"");
  WriteIns(st, "Include \"PIC16F84.DEF\"");
  if (!WriteEquates(st)) return;
  WriteIns(st, "ORG 0");

  if (!st.Flag_INT) {
    if (st.NoDATA > 0) {
      const std::string l = NuovaLabel(st);
      WriteIns(st, "GOTO " + l);
      ScriviTabellaDati(st);
      Write(st, l + ":");
    }
    WriteInit(st);
    WriteBody(st);
    ScriviRoutine(st);
    WriteIns(st, "END");
    Write(st, "");  // without interrupts the text ends with an empty line
    return;
  }

  // Reset vector at 0, interrupt vector at 4.
  const std::string l = NuovaLabel(st);
  WriteIns(st, "GOTO " + l);
  for (int k = 0; k < 3; ++k) WriteIns(st, "NOP");
  WriteInterruptHandler(st, v);
  ScriviTabellaDati(st);
  if (Len(l) < 6)
    WriteLabelled(st, l, "NOP");
  else
    Write(st, l + ": NOP");
  WriteInit(st);
  WriteInterruptEnables(st);
  WriteBody(st);
  ScriviRoutine(st);
  WriteIns(st, "END");
}

void ScriviRoutine(CompileState& st) {
  if (!st.Flag_Routine) return;
  if (st.Flag_WRT) {
    // EEPROM write of W at Reg_Eeadr, then the address is incremented; the
    // global interrupt enable is cleared around the write when it was set.
    WriteRoutine(st, "@@WRT", {"MOVWF Reg_Eedata",
                             "BTFSS Reg_Intcon , Bit_7", "GOTO $+0x11", "BCF Reg_Intcon , Bit_7",
                             "BSF Reg_Status , Bit_5", "BCF Reg_Eecon1 , Bit_4",
                             "BSF Reg_Eecon1 , Bit_2", "MOVLW 0x55", "MOVWF Reg_Eecon2",
                             "MOVLW 0xAA", "MOVWF Reg_Eecon2", "BSF Reg_Eecon1 , Bit_1",
                             "BTFSS Reg_Eecon1 , Bit_4", "GOTO $-1", "BCF Reg_Eecon1 , Bit_4",
                             "BCF Reg_Eecon1 , Bit_2", "BCF Reg_Status2 , Bit_5",
                             "BSF Reg_Intcon , Bit_7", "GOTO $+0x0E", "BSF Reg_Status , Bit_5",
                             "BCF Reg_Eecon1 , Bit_4", "BSF Reg_Eecon1 , Bit_2", "MovLW 0x55",
                             "MovWF Reg_Eecon2", "MovLW 0xAA", "MovWF Reg_Eecon2",
                             "BSF Reg_Eecon1 , Bit_1", "BTFSS Reg_Eecon1 , Bit_4", "GOTO $-1",
                             "BCF Reg_Eecon1 , Bit_4", "BCF Reg_Eecon1 , Bit_2",
                             "BCF Reg_Status2 , Bit_5", "INCF Reg_Eeadr , F", "RETURN"});
  }
  if (st.Flag_RD) {
    // EEPROM read of the address in W.
    WriteRoutine(st, "@@RD", {"MOVWF Reg_Eeadr",
                             "BSF Reg_Status    , Bit_5", "BSF Reg_Eecon1    , Bit_0", "Nop",
                             "BCF Reg_Status2   , Bit_5", "MOVF Reg_Eedata   , W", "RETURN"});
  }
  if (st.Flag_DV10) {
    // W divided by ten by shifted subtraction: quotient in W after @@DV10,
    // remainder in W after @@DV10C.
    const std::string q = AcquisisciDinamica(st);
    const std::string r = AcquisisciDinamica(st);
    const std::string d = AcquisisciDinamica(st);
    WriteLabelled(st, "@@DV10", "Movwf " + r);
    WriteIns(st, "Clrf  " + q);
    WriteIns(st, "Movlw 0xA0");
    WriteIns(st, "Movwf " + d);
    WriteIns(st, "Movf  " + d + " , W");
    WriteIns(st, "Subwf " + r + " , W");
    WriteIns(st, "BTFSS Reg_Status , Flag_C");
    WriteIns(st, "Goto  $+2");
    WriteIns(st, "Movwf " + r);
    WriteIns(st, "RLF " + q + " , F");
    WriteIns(st, "RRF " + d + " , F");
    WriteIns(st, "BTFSS " + d + ", Bit_0");
    WriteIns(st, "Goto $-8");
    WriteIns(st, "Movf " + q + " , W");
    WriteIns(st, "Return");
    WriteLabelled(st, "@@DV10C", "Movf " + r + " , W");
    WriteIns(st, "Return");
    RilasciaDinamica(st, q);
    RilasciaDinamica(st, r);
    RilasciaDinamica(st, d);
  }
}

void ScriviTabellaDati(CompileState& st) {
  if (st.NoDATA <= 0) return;
  WriteRoutine(st, "@@GD", {"CLRF Reg_Pclath",
                             "ADDLW 3", "ADDwf Reg_Pcl, W", "BTFSC Reg_Status, Bit_0",
                             "Incf  Reg_Pclath , F", "MOVWF Reg_Pcl", "NOP"});
  for (int k = 1; k <= st.NoDATA; ++k) WriteIns(st, "RETLW " + FormatHex(st.ArrayDATA[static_cast<size_t>(k)]));
}

std::string TestoDefinizioni() {
  std::string t;
  auto line = [&](const std::string& s) { t += s + "\r\n"; };
  auto reg = [&](const std::string& name, const std::string& value) {
    std::string s = name;
    s.resize(16, ' ');
    line(s + "EQU     " + value);
  };
  line(";  Register Bank 0");
  line(";  ===============");
  line(";");
  const char* bank0[][2] = {{"Reg_Indf", "0x00"},   {"Reg_Tmr0", "0x01"},   {"Reg_Pcl", "0x02"},
                            {"Reg_Status", "0x03"}, {"Reg_Fsr", "0x04"},    {"Reg_PortA", "0x05"},
                            {"Reg_PortB", "0x06"},  {"Reg_PortC", "0x07"},  {"Reg_Eedata", "0x08"},
                            {"Reg_Eeadr", "0x09"},  {"Reg_Pclath", "0x0A"}, {"Reg_Intcon", "0x0B"}};
  for (const auto& r : bank0) reg(r[0], r[1]);
  line("");
  line(";  Register Bank 1");
  line(";  ===============");
  line(";");
  const char* bank1[][2] = {{"Reg_Indf2", "0x80"},   {"Reg_Option", "0x81"}, {"Reg_Pcl2", "0x82"},
                            {"Reg_Status2", "0x83"}, {"Reg_Fsr2", "0x84"},   {"Reg_TrisA", "0x85"},
                            {"Reg_TrisB", "0x86"},   {"Reg_TrisC", "0x87"},  {"Reg_Eecon1", "0x88"},
                            {"Reg_Eecon2", "0x89"},  {"Reg_Pclath2", "0x8A"}, {"Reg_Intcon2", "0x8B"}};
  for (const auto& r : bank1) reg(r[0], r[1]);
  line("");
  line("");
  line(";");
  line(";       Costanti");
  line(";       ========");
  for (int n = 0; n <= 7; ++n) line("        Constant Bit_" + Dec(n) + " = " + Dec(n));
  line("");
  line("        Constant Flag_C  = 0");
  line("        Constant Flag_DC = 1");
  line("        Constant Flag_Z  = 2");
  return t;
}

}  // namespace velmora
