// SPDX-License-Identifier: GPL-3.0-or-later
// The headless run: one gpsim process, one script, one transcript.
#include "simulator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "gpsim_server.h"
#include "process.h"

namespace velmora::toolchain {
namespace {

namespace fs = std::filesystem;

int ElementSize(const std::string& type, int size) {
  if (type == "BYTE") return 1;
  if (type == "INTEGER" || type == "WORD") return 2;
  if (type == "SINGLE" || type == "FLOAT") return 4;
  if (type == "LONG") return 8;
  return size;  // an abbreviated type word: one value of the declared size
}

std::string ReadText(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

const Pin kAllPins[] = {{'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}, {'A', 4}, {'B', 0}, {'B', 1},
                        {'B', 2}, {'B', 3}, {'B', 4}, {'B', 5}, {'B', 6}, {'B', 7}};

}  // namespace

std::vector<Variable> ReadEquates(const std::string& assembly) {
  static const std::regex equ(
      R"((?:^|\n)([^\s;]+)[ \t]+EQU[ \t]+(0[xX][0-9A-Fa-f]+|[0-9]+)[ \t]*;[ \t]*([^(\r\n]*)\(([0-9]+)-Byte\))");
  std::vector<Variable> variables;
  for (std::sregex_iterator it(assembly.begin(), assembly.end(), equ), end; it != end; ++it) {
    Variable v;
    v.name = (*it)[1].str();
    v.address = std::stoi((*it)[2].str(), nullptr, 0);
    v.type = (*it)[3].str();
    v.size = std::stoi((*it)[4].str());
    v.elementSize = ElementSize(v.type, v.size);
    if (v.elementSize <= 0 || v.size % v.elementSize != 0) v.elementSize = v.size;
    variables.push_back(v);
  }
  std::stable_sort(variables.begin(), variables.end(),
                   [](const Variable& a, const Variable& b) { return a.address < b.address; });
  return variables;
}

std::vector<Variable> VariablesOf(const std::vector<DeclaredVariable>& declared) {
  std::vector<Variable> variables;
  for (const DeclaredVariable& d : declared) {
    Variable v{d.name, d.address, d.type, d.size, ElementSize(d.type, d.size)};
    if (v.elementSize <= 0 || v.size % v.elementSize != 0) v.elementSize = v.size;
    variables.push_back(v);
  }
  std::stable_sort(variables.begin(), variables.end(),
                   [](const Variable& a, const Variable& b) { return a.address < b.address; });
  return variables;
}

std::string VariableValue(const Variable& variable, const std::vector<int>& registers) {
  std::string text;
  for (int element = 0; element * variable.elementSize < variable.size; ++element) {
    std::uint64_t value = 0;
    bool known = true;
    for (int byte = variable.elementSize - 1; byte >= 0; --byte) {
      const size_t address = static_cast<size_t>(variable.address + element * variable.elementSize + byte);
      const int b = address < registers.size() ? registers[address] : -1;
      known = known && b >= 0;
      value = (value << 8) | static_cast<std::uint64_t>(b < 0 ? 0 : b);
    }
    if (!text.empty()) text += ' ';
    text += known ? std::to_string(value) : "?";
  }
  return text;
}

std::vector<int> SleepAddresses(const std::string& hexText) {
  constexpr int kSleep = 0x0063, kProgramWords = 1024;
  std::vector<int> words(kProgramWords * 2, -1);  // program memory as bytes
  std::istringstream in(hexText);
  std::string line;
  int upper = 0;
  while (std::getline(in, line)) {
    if (line.size() < 11 || line[0] != ':') continue;
    const auto byteAt = [&](size_t i) { return std::stoi(line.substr(1 + 2 * i, 2), nullptr, 16); };
    const int count = byteAt(0), address = byteAt(1) << 8 | byteAt(2), type = byteAt(3);
    if (line.size() < static_cast<size_t>(11 + 2 * count)) continue;
    if (type == 4) upper = byteAt(4) << 8 | byteAt(5);
    if (type != 0 || upper != 0) continue;
    for (int i = 0; i < count; ++i)
      if (address + i < static_cast<int>(words.size())) words[static_cast<size_t>(address + i)] = byteAt(4 + static_cast<size_t>(i));
  }
  std::vector<int> addresses;
  for (int word = 0; word < kProgramWords; ++word) {
    const int low = words[static_cast<size_t>(2 * word)], high = words[static_cast<size_t>(2 * word + 1)];
    if (low >= 0 && high >= 0 && (high << 8 | low) == kSleep) addresses.push_back(word);
  }
  return addresses;
}

// The requests of a headless run, each ended by a sync line: set-up, the
// optional module, the run, registers, EEPROM, cycles, the return address.
constexpr int kHeadlessRequests = 7;

std::string HeadlessPrelude() {
  namespace C = GpsimCommands;
  std::string s = C::SelectProcessor() + C::DefineSync() + C::LoadModules();
  for (const Pin& pin : kAllPins) s += C::CreateSource(pin) + C::SetPin(pin, false);
  return s;
}

std::string HeadlessScript(const std::string& codFile, const std::vector<int>& sleepAddresses,
                           const SimulationOptions& options, bool preludeDone) {
  namespace C = GpsimCommands;
  std::string s = (preludeDone ? "" : HeadlessPrelude()) + C::LoadProgram(codFile, options.watchdog);
  for (const Pin& pin : kAllPins) {
    bool high = false;
    for (const auto& [named, level] : options.pins)
      if (named == pin) high = level;
    s += C::ConnectSource(pin) + (high ? C::SetPin(pin, true) : "");
  }
  for (int address : sleepAddresses) s += C::BreakAtAddress(address);
  s += C::BreakAtCycle(options.cycles) + C::Sync();
  // The module has an answer of its own: if gpsim cannot load it, the run
  // goes on without its stack breaks (and a recording asked for is missing,
  // which Simulate reports).
  const bool module = !options.modulePath.empty();
  if (module) {
    s += preludeDone ? C::StackModule() : C::LoadStackModule(options.modulePath);
    if (options.record) {
      s += C::LoadRecorder();
      for (const auto& bus : options.buses) s += C::RecordByte(bus.second);
      s += C::StartRecording(kRecordingFile);
    }
    if (!options.stimuli.empty()) s += C::PlayStimuli(kScheduleFile);
  }
  s += C::Sync();
  s += C::Run() + C::Sync();
  s += C::DumpRegisters() + C::Sync() + C::DumpEeprom() + C::Sync() + C::Cycles() + C::Sync();
  s += (module ? (options.record ? C::StopRecording() : "") + C::ReturnAddress() : "") + C::Sync();
  return s + C::Quit();
}

void ReadHeadlessTranscript(const std::string& transcript, SimulationResult& r) {
  const std::vector<std::string> answers = GpsimReply::SplitAtSync(transcript);
  if (answers.size() < kHeadlessRequests) {
    r.error = "gpsim si è interrotto prima di completare la simulazione";
    return;
  }
  // An error in the set-up means the program or a pin did not load: the run
  // would not be this program's.
  if (const std::vector<std::string> errors = GpsimReply::Errors(answers[0]); !errors.empty()) {
    r.error = "gpsim ha segnalato un errore: " + errors.front();
    return;
  }
  const auto registers = GpsimReply::ParseRegisters(answers[3]);
  const auto eeprom = GpsimReply::ParseEeprom(answers[4]);
  const auto cycles = GpsimReply::ParseCycles(answers[5]);
  if (!registers || !eeprom || !cycles) {
    r.error = "gpsim non ha restituito lo stato del chip";
    return;
  }
  r.stop = ParseGpsimStop(answers[2]);
  r.chip.registers = registers->registers;
  r.chip.w = registers->w;
  r.chip.pc = registers->pc;
  r.chip.eeprom = *eeprom;
  r.chip.cycles = *cycles;
  r.chip.sleep = r.stop.kind == StopKind::Breakpoint;
  r.chip.returnAddress = GpsimReply::ParseStackDepth(answers[6]).value_or(-1);
  r.ok = true;
}

std::string VelmoraModulePath() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  const fs::path module = self.parent_path() / GpsimCommands::kStackModuleFromProgram;
  return fs::is_regular_file(module, ec) ? fs::weakly_canonical(module, ec).string() : "";
}

std::string StimulusSchedule(const std::vector<StimulusChange>& changes) {
  std::string s;
  for (const StimulusChange& c : changes) s += GpsimCommands::StimulusScheduleLine(c.cycle, c.pin, c.high);
  return s;
}

SimulationResult Simulate(const std::string& codPath, const SimulationOptions& options) {
  SimulationResult r;
  if ((options.record || !options.stimuli.empty()) && options.modulePath.empty()) {
    r.error = "il modulo di Velmora per gpsim (libvelmora_gpsim.so) non è installato: "
              "senza di esso non si registrano le linee né si applicano gli stimoli";
    return r;
  }
  const std::string gpsim = FindTool("gpsim");
  if (gpsim.empty()) {
    r.toolMissing = true;
    r.error = MissingToolMessage("gpsim");
    return r;
  }
  const fs::path cod(codPath);
  fs::path hex = cod;
  hex.replace_extension(".hex");
  const std::vector<int> sleeps = SleepAddresses(ReadText(hex));

  ToolProcess tool;
  std::string startError;
  const std::string folder = cod.has_parent_path() ? cod.parent_path().string() : ".";
  // A copy of the serving gpsim when there is one with the same module (a
  // copy that cannot be had is no error: a new gpsim runs instead).
  const bool copy = options.server && options.server->modulePath() == options.modulePath &&
                    options.server->Open(fs::absolute(folder).string(), tool, startError);
  r.copy = copy;
  if (!copy && !tool.Start({gpsim, "-i", "-S", "disable"}, folder, startError)) {
    r.error = "impossibile avviare gpsim: " + startError;
    return r;
  }
  if (!options.stimuli.empty()) {
    std::ofstream schedule(fs::path(folder) / kScheduleFile, std::ios::binary);
    schedule << StimulusSchedule(options.stimuli);
    if (!schedule.flush()) {
      r.error = "impossibile scrivere gli stimoli nella cartella di gpsim";
      return r;
    }
  }
  const auto deadline = Clock::now() + options.timeLimit;
  // A copy reads from a socket: gpsim takes its input a block at a time and
  // goes through a line quickly only while more input is waiting, so blank
  // text after the final quit (never read as commands) keeps it waiting:
  // half the time of the copy's run.
  tool.Write(HeadlessScript(cod.filename().string(), sleeps, options, copy) +
             (copy ? std::string(4096, ' ') + "\n" : std::string()));
  const bool answered =
      tool.ReadUntil(r.transcript, [](const std::string& t) { return GpsimReply::HasSyncs(t, kHeadlessRequests); }, deadline);
  if (!answered && tool.TimedOut()) {
    tool.Kill();
    r.timedOut = true;
    r.error = "gpsim non ha risposto entro " + std::to_string(options.timeLimit.count() / 1000) +
              " secondi ed è stato interrotto";
    return r;
  }
  // A copy has said all it will: ending it spares the machine its exit
  // (gpsim's own clean-up is most of the time it takes to quit).
  if (copy) tool.Kill();
  else tool.Wait(Clock::now() + std::chrono::seconds(5));
  ReadHeadlessTranscript(r.transcript, r);
  if (r.ok && options.record) {
    std::string error;
    const fs::path recording = fs::path(folder) / kRecordingFile;
    auto trace = ReadPinTraceFile(recording.string(), error);
    std::error_code ec;
    fs::remove(recording, ec);
    if (!trace || !trace->ended) {
      r.ok = false;
      r.error = trace ? "la registrazione delle linee è incompleta" : error;
      return r;
    }
    r.trace = std::move(*trace);
    for (const auto& bus : options.buses) r.trace.buses.push_back(bus.first);
  }
  return r;
}

}  // namespace velmora::toolchain
