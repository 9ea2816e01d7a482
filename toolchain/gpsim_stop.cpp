// SPDX-License-Identifier: GPL-3.0-or-later
// Reading gpsim's halts, and saying them in Italian.
#include "gpsim_stop.h"

#include <regex>
#include <sstream>

namespace velmora::toolchain {
namespace {

constexpr int kProgramWords = 1024;

// gpsim's trace of one executed instruction: cycle, processor, address, opcode.
const std::regex& TraceLine() {
  static const std::regex trace(R"(0x([0-9A-Fa-f]{16}) \S+ 0x([0-9A-Fa-f]{4}) 0x[0-9A-Fa-f]{4} )");
  return trace;
}

// The lines of an answer. A message printed without its line end ("stack
// underflow ") runs into the trace line after it: the two are split.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch m;
    if (std::regex_search(line, m, TraceLine()) && m.position(0) > 0) {
      lines.push_back(line.substr(0, static_cast<size_t>(m.position(0))));
      line.erase(0, static_cast<size_t>(m.position(0)));
    }
    lines.push_back(line);
  }
  return lines;
}

// Runs of blanks and tabs as one blank, none at the ends.
std::string Squeeze(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Hex(int value) {
  std::ostringstream s;
  s << "0x" << std::uppercase << std::hex << (value < 0x10 ? "0" : "") << value;
  return s.str();
}

// What gpsim prints around a halt that says nothing about its reason: the
// echo of the run, the breakpoint banner, the trace of the register writes
// of the last instruction, and a trace decoder's complaints about entries
// it cannot show.
bool Noise(const std::string& line) {
  static const std::regex noise(
      R"(^\s*$|^running\.\.\.$|^Hit a Breakpoint!$|^\s*BREAK: #|^(\d+:)?\s*(Wrote|Read): |^\s*Reset: \S+$|)"
      R"(^(\d+:)?\s*could not decode trace type|^(\d+:)?\s*Invalid Trace entry|^\d+:\s*$|^WDT expired during sleep$|)"
      R"(^Reset on Watch Dog Timer expire$)");
  return std::regex_search(line, noise);
}

}  // namespace

GpsimStop ParseGpsimStop(const std::string& answer) {
  // Only what follows the echo of the run command belongs to the run.
  std::vector<std::string> lines = Lines(answer);
  bool ran = false;
  for (size_t i = 0; i < lines.size() && !ran; ++i) {
    if (lines[i].size() >= 5 && lines[i].compare(lines[i].size() - 5, 5, "> run") == 0) {
      lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      ran = true;
    }
  }
  static const std::regex execution(R"(Execution at .*\(0x([0-9a-fA-F]+)\))");
  static const std::regex eeprom(R"(^(?:\S+_)?EEPROM (read|write) address is out of range ([0-9a-fA-F]+))");
  static const std::regex invalidRegister(R"(^attempt (read from|write to) invalid file register)");
  static const std::regex registerAddress(R"(^\s+address 0x([0-9a-fA-F]+))");
  static const std::regex stack(R"(^stack (overflow|underflow))");
  static const std::regex reset(R"(^(MCLR reset|Reset due to .*|Reset on .*)$)");

  GpsimStop stop;
  bool afterWatchdog = false;  // "Reset on Watch Dog Timer expire" follows "WDT expired reset"
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.find("**gpsim>") != std::string::npos) continue;  // an echoed command
    std::smatch m;
    const auto fault = [&stop, &line](StopKind kind, int address) {
      stop.kind = kind;
      stop.address = address;
      stop.original = Squeeze(line);
    };
    if (line.rfind("cycle break:", 0) == 0) {
      stop.kind = StopKind::CycleLimit;
      stop.address = -1;
    } else if (std::regex_search(line, m, execution)) {
      stop.kind = StopKind::Breakpoint;
      stop.address = std::stoi(m[1].str(), nullptr, 16);
    } else if (std::regex_search(line, m, TraceLine()) && m.position(0) == 0) {
      stop.cycle = std::stoull(m[1].str(), nullptr, 16);
      stop.pc = std::stoi(m[2].str(), nullptr, 16);
    } else if (std::regex_search(line, m, eeprom)) {
      fault(m[1] == "read" ? StopKind::EepromRead : StopKind::EepromWrite, std::stoi(m[2].str(), nullptr, 16));
    } else if (std::regex_search(line, m, invalidRegister)) {
      fault(m[1] == "read from" ? StopKind::RegisterRead : StopKind::RegisterWrite, -1);
      if (i + 1 < lines.size() && std::regex_search(lines[i + 1], m, registerAddress)) {  // "    address 0x87"
        stop.address = std::stoi(m[1].str(), nullptr, 16);
        stop.original += " " + Squeeze(lines[++i]);
      }
    } else if (std::regex_search(line, m, stack)) {
      fault(m[1] == "overflow" ? StopKind::StackOverflow : StopKind::StackUnderflow, -1);
    } else if (line == "WDT expired reset") {
      fault(StopKind::Watchdog, -1);
      afterWatchdog = true;
    } else if (!afterWatchdog && std::regex_match(line, reset)) {
      fault(StopKind::Reset, -1);
    } else if (!Noise(line)) {
      stop.notes.push_back(line);
    }
  }
  // A run came back, so gpsim halted it, but for none of the reasons above
  // (a step always comes back after its instruction).
  if (stop.kind == StopKind::None && ran) {
    stop.kind = StopKind::Unknown;
    if (!stop.notes.empty()) stop.original = Squeeze(stop.notes.front());
  }
  return stop;
}

std::string StopWord(StopKind kind) {
  switch (kind) {
    case StopKind::EepromRead: return "eeprom-lettura";
    case StopKind::EepromWrite: return "eeprom-scrittura";
    case StopKind::RegisterRead: return "registro-lettura";
    case StopKind::RegisterWrite: return "registro-scrittura";
    case StopKind::StackOverflow: return "stack-pieno";
    case StopKind::StackUnderflow: return "stack-vuoto";
    case StopKind::Watchdog: return "watchdog";
    case StopKind::Reset: return "reset";
    case StopKind::Unknown: return "altro";
    case StopKind::None:
    case StopKind::CycleLimit:
    case StopKind::Breakpoint: break;
  }
  return "";
}

std::string StopExplanation(const GpsimStop& stop) {
  const std::string eeprom = ", che non esiste: la EEPROM dati ha 64 byte (indirizzi da 0 a 63)";
  // PORTC and TRISC are the names a program gives them (RECONFIG C...):
  // the chip has ports A and B only.
  const auto registerName = [](int address) -> std::string {
    if (address == 0x07) return " (PORTC)";
    if (address == 0x87) return " (TRISC)";
    return "";
  };
  const std::string missing = ", che il PIC16F84 non ha";
  const std::string ports = (stop.address & 0x7F) == 0x07 ? ": il chip ha solo le porte A e B" : "";
  switch (stop.kind) {
    case StopKind::EepromRead: return "lettura della EEPROM dati all'indirizzo " + std::to_string(stop.address) + eeprom;
    case StopKind::EepromWrite: return "scrittura nella EEPROM dati all'indirizzo " + std::to_string(stop.address) + eeprom;
    case StopKind::RegisterRead:
      return "lettura del registro " + Hex(stop.address) + registerName(stop.address) + missing + ports;
    case StopKind::RegisterWrite:
      return "scrittura nel registro " + Hex(stop.address) + registerName(stop.address) + missing + ports;
    case StopKind::StackOverflow:
      return "stack pieno: una nona chiamata annidata (CALL o interrupt) ha sovrascritto il primo indirizzo di "
             "ritorno, e sul chip il programma tornerebbe nel punto sbagliato";
    case StopKind::StackUnderflow:
      return "stack vuoto: un RETURN (o RETLW, RETFIE) senza la CALL che lo precede, e sul chip il programma "
             "salterebbe a un indirizzo a caso";
    case StopKind::Watchdog:
      return "il watchdog ha resettato il micro: il programma generato non lo azzera mai, per questo il chip va "
             "programmato con il watchdog disattivato";
    case StopKind::Reset: return "il micro è stato resettato";
    case StopKind::Unknown: return "gpsim ha fermato la simulazione per un motivo che Velmora non riconosce";
    case StopKind::None: return "gpsim non ha segnalato alcuna fermata";
    case StopKind::CycleLimit: return "raggiunto il numero di cicli richiesto";
    case StopKind::Breakpoint: return "punto di interruzione";
  }
  return "";
}

StopPlace PlaceOfStop(int pc, int returnAddress, const std::vector<int>& basicLineByAddress) {
  const auto lineAt = [&basicLineByAddress](int address) {
    return address >= 0 && static_cast<size_t>(address) < basicLineByAddress.size()
               ? basicLineByAddress[static_cast<size_t>(address)]
               : 0;
  };
  if (lineAt(pc) > 0) return {lineAt(pc), pc};
  if (returnAddress > 0 && lineAt(returnAddress - 1) > 0) return {lineAt(returnAddress - 1), returnAddress - 1};
  return {0, pc};
}

std::vector<int> ReadListingLines(const std::string& listing) {
  // LOC, one or more object words, the source line number, the text; the
  // words of a long DT or DW go on in rows of words alone, which continue
  // the row above.
  static const std::regex row(R"(^([0-9A-Fa-f]{4}) +((?:[0-9A-Fa-f]{4} )+) *([0-9]{5}) )");
  static const std::regex continuation(R"(^ +((?:[0-9A-Fa-f]{4} )+) *\r?$)");
  std::vector<int> lines(kProgramWords, 0);
  std::istringstream in(listing);
  std::string line;
  int next = -1, source = 0;  // the address after the last row's words, and its line
  const auto place = [&lines, &next, &source](const std::string& words) {
    for (size_t k = 0; k < words.size() / 5 && next < kProgramWords; ++k) lines[static_cast<size_t>(next++)] = source;
  };
  while (std::getline(in, line)) {
    std::smatch m;
    if (std::regex_search(line, m, row)) {
      next = std::stoi(m[1].str(), nullptr, 16);
      source = std::stoi(m[3].str());
      place(m[2].str());
    } else if (next >= 0 && std::regex_match(line, m, continuation)) {
      place(m[1].str());
    } else {
      next = -1;
    }
  }
  return lines;
}

std::vector<int> BasicLinesByAddress(const std::string& listing, const std::vector<int>& asmToBasic) {
  std::vector<int> lines = ReadListingLines(listing);
  for (int& line : lines)
    line = line >= 1 && static_cast<size_t>(line) <= asmToBasic.size() ? asmToBasic[static_cast<size_t>(line - 1)] : 0;
  return lines;
}

}  // namespace velmora::toolchain
