// SPDX-License-Identifier: GPL-3.0-or-later
// gpsim's command lines and the reading of its answers.
#include "gpsim_protocol.h"

#include "gpsim_stop.h"

#include <cctype>
#include <cstdio>
#include <regex>
#include <sstream>

namespace velmora::toolchain {
namespace {

// gpsim's name of a pin ("porta0") and the names of what AttachPin creates.
std::string PinName(Pin pin) { return std::string("port") + static_cast<char>(std::tolower(pin.port)) + std::to_string(pin.bit); }
std::string SourceName(Pin pin) { return "vs_" + PinName(pin); }

std::string Hex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// The lines of an answer, without the echoed command lines (they follow
// gpsim's prompt).
std::vector<std::string> AnswerLines(const std::string& answer) {
  std::vector<std::string> lines;
  std::istringstream in(answer);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find("**gpsim>") != std::string::npos) continue;
    lines.push_back(line);
  }
  return lines;
}

// Rows "AAAA:  hh hh ... hh" (16 bytes, "--" where there is no register),
// stored at their addresses in `into`; the number of rows read.
int ParseRows(const std::string& answer, std::vector<int>& into) {
  static const std::regex row(R"(^([0-9a-f]{4}):((?: +(?:[0-9a-f]{2}|--)){16}))");
  int rows = 0;
  for (const std::string& line : AnswerLines(answer)) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    size_t address = std::stoul(m[1].str(), nullptr, 16);
    std::istringstream bytes(m[2].str());
    std::string b;
    for (; address < into.size() && bytes >> b; ++address) into[address] = b == "--" ? -1 : std::stoi(b, nullptr, 16);
    ++rows;
  }
  return rows;
}

}  // namespace

std::optional<Pin> ParsePin(const std::string& text) {
  if (text.size() != 2) return std::nullopt;
  const char port = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  const int bit = text[1] - '0';
  if ((port == 'A' && bit >= 0 && bit <= 4) || (port == 'B' && bit >= 0 && bit <= 7)) return Pin{port, bit};
  return std::nullopt;
}

namespace GpsimCommands {

std::string Setup(const std::string& codFile, bool watchdog) {
  return SelectProcessor() + LoadProgram(codFile, watchdog) + DefineSync();
}

std::string SelectProcessor() { return "processor p16f84\n"; }

std::string LoadProgram(const std::string& codFile, bool watchdog) {
  return "load \"" + codFile + "\"\np16f84.CONFIG = " + Hex(watchdog ? kConfigWatchdogOn : kConfigWatchdogOff) +
         "\np16f84.BreakOnReset = false\n";
}

std::string DefineSync() { return std::string("symbol velmora_sync = \"") + kSyncLine + "\"\n"; }

std::string LoadModules() { return "module library libgpsim_modules.so\n"; }

std::string LoadStackModule(const std::string& libraryPath) { return ModuleLibrary(libraryPath) + StackModule(); }

std::string StackModule() {
  return "module load velmora_stack velmora_stack\nvelmora_stack.break_on_overflow = 1\n"
         "velmora_stack.break_on_underflow = 1\n";
}

std::string StackDepth() { return "velmora_stack.depth\n"; }
std::string ReturnAddress() { return "velmora_stack.return_address\n"; }

std::string ModuleLibrary(const std::string& libraryPath) { return "module library \"" + libraryPath + "\"\n"; }
std::string LoadRecorder() { return "module load velmora_trace velmora_trace\n"; }
std::string StartRecording(const std::string& file) { return "velmora_trace.file = \"" + file + "\"\n"; }
std::string RecordByte(int address) { return "velmora_trace.bus = " + std::to_string(address) + "\n"; }
std::string FlushRecording() { return "velmora_trace.flush = 1\n"; }
std::string StopRecording() { return "velmora_trace.file = \"\"\n"; }
std::string PlayStimuli(const std::string& file) {
  return "module load velmora_stimuli velmora_stimuli\nvelmora_stimuli.file = \"" + file + "\"\n";
}
std::string StimulusScheduleLine(std::uint64_t cycle, Pin pin, bool high) {
  return std::to_string(cycle) + " " + SourceName(pin) + ".voltage " + (high ? "5.0" : "0.0") + "\n";
}

std::string AttachPin(Pin pin, bool high) { return CreateSource(pin) + ConnectSource(pin) + SetPin(pin, high); }

std::string CreateSource(Pin pin) {
  const std::string source = SourceName(pin);
  return "module load pullup " + source + "\n" + source + ".resistance = 1000.0\nnode vn_" + PinName(pin) + "\n";
}

std::string ConnectSource(Pin pin) {
  return "attach vn_" + PinName(pin) + " " + SourceName(pin) + ".pin " + PinName(pin) + "\n";
}

std::string SetPin(Pin pin, bool high) { return SourceName(pin) + ".voltage = " + (high ? "5.0" : "0.0") + "\n"; }

std::string Frequency(long hz) { return "frequency " + std::to_string(hz) + "\n"; }
std::string BreakAtCycle(std::uint64_t cycle) { return "break c " + std::to_string(cycle) + "\n"; }
std::string BreakAtAddress(int address) { return "break e " + Hex(address) + "\n"; }
std::string ClearBreak(int number) { return "clear " + std::to_string(number) + "\n"; }
std::string Run() { return "run\n"; }
std::string Step(int instructions) { return "step " + std::to_string(instructions) + "\n"; }
std::string Reset() { return "reset\n"; }
std::string DumpRegisters() { return "dump\n"; }
std::string DumpEeprom() { return "dump e\n"; }
std::string Cycles() { return "cycles\n"; }
std::string Sync() { return "velmora_sync\n"; }
std::string Quit() { return "quit\n"; }

}  // namespace GpsimCommands

namespace GpsimReply {

std::vector<std::string> SplitAtSync(const std::string& transcript) {
  std::vector<std::string> answers;
  std::string current;
  size_t start = 0;
  while (start < transcript.size()) {
    size_t end = transcript.find('\n', start);
    if (end == std::string::npos) break;  // an unfinished last line is not an answer yet
    std::string line = transcript.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == GpsimCommands::kSyncLine) {
      answers.push_back(current);
      current.clear();
    } else {
      current += transcript.substr(start, end - start + 1);
    }
    start = end + 1;
  }
  return answers;
}

bool HasSyncs(const std::string& transcript, int count) {
  const std::string line = std::string("\n") + GpsimCommands::kSyncLine + "\n";
  int found = 0;
  for (size_t at = transcript.find(line); at != std::string::npos; at = transcript.find(line, at + 1))
    if (++found >= count) return true;
  return false;
}

RunStop ParseRunStop(const std::string& answer) {
  const GpsimStop parsed = ParseGpsimStop(answer);
  RunStop stop;
  if (parsed.kind == StopKind::CycleLimit) stop.kind = RunStop::Kind::CycleBreak;
  if (parsed.kind == StopKind::Breakpoint) stop = {RunStop::Kind::ExecutionBreak, parsed.address};
  return stop;
}

std::optional<RegisterDump> ParseRegisters(const std::string& answer) {
  RegisterDump dump;
  dump.registers.assign(0x100, -1);
  if (ParseRows(answer, dump.registers) < 10) return std::nullopt;
  static const std::regex w(R"(^W = ([0-9a-fA-F]+)$)"), pc(R"(^pc = 0x([0-9a-fA-F]+)$)");
  for (const std::string& line : AnswerLines(answer)) {
    std::smatch m;
    if (std::regex_match(line, m, w)) dump.w = std::stoi(m[1].str(), nullptr, 16);
    if (std::regex_match(line, m, pc)) dump.pc = std::stoi(m[1].str(), nullptr, 16);
  }
  if (dump.w < 0) return std::nullopt;
  return dump;
}

std::optional<std::vector<int>> ParseEeprom(const std::string& answer) {
  std::vector<int> bytes(64, -1);
  if (ParseRows(answer, bytes) < 4) return std::nullopt;
  return bytes;
}

std::optional<std::uint64_t> ParseCycles(const std::string& answer) {
  static const std::regex cycles(R"(^([0-9]+) = 0x[0-9a-fA-F]+$)");
  for (const std::string& line : AnswerLines(answer)) {
    std::smatch m;
    if (std::regex_match(line, m, cycles)) return std::stoull(m[1].str());
  }
  return std::nullopt;
}

std::optional<int> ParseStackDepth(const std::string& answer) {
  static const std::regex depth(R"(^-?[0-9]+$)");
  for (const std::string& line : AnswerLines(answer))
    if (std::regex_match(line, depth)) return std::stoi(line);
  return std::nullopt;
}

bool StackOverflow(const std::string& answer) { return ParseGpsimStop(answer).kind == StopKind::StackOverflow; }

std::vector<std::string> Errors(const std::string& answer) {
  std::vector<std::string> errors;
  for (const std::string& line : AnswerLines(answer))
    if (line.rfind("***ERROR", 0) == 0) errors.push_back(line);
  return errors;
}

}  // namespace GpsimReply

}  // namespace velmora::toolchain
