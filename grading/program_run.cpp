// SPDX-License-Identifier: GPL-3.0-or-later
// Assembling and running one program for --simulate and the class grading.
#include "program_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "assembler.h"
#include "gpsim_protocol.h"
#include "gpsim_stop.h"
#include "italian_text.h"
#include "process.h"
#include "translator.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
namespace tc = velmora::toolchain;

// A fresh folder for the run's files, removed when the run ends.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "velmorac-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

std::string Hex2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value < 0 ? 0 : value);
  return text;
}

const tc::Pin kAllPins[] = {{'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}, {'A', 4}, {'B', 0}, {'B', 1},
                            {'B', 2}, {'B', 3}, {'B', 4}, {'B', 5}, {'B', 6}, {'B', 7}};

// A run whose input lines change over time: one gpsim, driven a stretch at
// a time (run to the next change or reading, change the lines, go on). A
// SLEEP ends the run as in a plain run: later readings see the chip as it
// went to sleep.
bool RunWithChanges(const tc::AssembleResult& assembled, const std::vector<tc::Variable>& variables,
                    const tc::SimulationOptions& options, const std::vector<std::uint64_t>& moments,
                    const std::vector<tc::StimulusChange>& changes, AssemblyRun& run) {
  namespace C = tc::GpsimCommands;
  const std::string gpsim = tc::FindTool("gpsim");
  if (gpsim.empty()) {
    run.toolMissing = true;
    run.error = tc::MissingToolMessage("gpsim");
    return false;
  }
  std::ostringstream hex;
  hex << std::ifstream(assembled.hexPath, std::ios::binary).rdbuf();
  const fs::path cod(assembled.codPath);
  tc::ToolProcess tool;
  std::string startError;
  if (!tool.Start({gpsim, "-i", "-S", "disable"}, cod.parent_path().string(), startError)) {
    run.error = "impossibile avviare gpsim: " + startError;
    return false;
  }
  const auto deadline = tc::Clock::now() + options.timeLimit;
  std::string transcript;
  int syncs = 0;
  // Sends `commands` (ending with `count` syncs) and returns their answers.
  const auto ask = [&](const std::string& commands, int count) -> std::optional<std::vector<std::string>> {
    if (!tool.Write(commands)) return std::nullopt;
    syncs += count;
    if (!tool.ReadUntil(transcript, [&](const std::string& t) { return tc::GpsimReply::HasSyncs(t, syncs); }, deadline)) {
      run.timedOut = tool.TimedOut();
      return std::nullopt;
    }
    std::vector<std::string> answers = tc::GpsimReply::SplitAtSync(transcript);
    return std::vector<std::string>(answers.end() - count, answers.end());
  };
  std::string setup = C::Setup(cod.filename().string(), options.watchdog) + C::LoadModules();
  for (const tc::Pin& pin : kAllPins) {
    bool high = false;
    for (const auto& [named, level] : options.pins)
      if (named == pin) high = level;
    setup += C::AttachPin(pin, high);
  }
  for (int address : tc::SleepAddresses(hex.str())) setup += C::BreakAtAddress(address);
  const auto fail = [&](const std::string& why) {
    if (run.error.empty()) run.error = why;
    tool.Kill();
    return false;
  };
  const auto first = ask(setup + C::Sync(), 1);
  if (!first) return fail(run.timedOut ? "gpsim non ha risposto entro " + std::to_string(options.timeLimit.count() / 1000) +
                                             " secondi ed è stato interrotto"
                                       : "gpsim si è interrotto prima di completare la simulazione");
  if (const auto errors = tc::GpsimReply::Errors((*first)[0]); !errors.empty())
    return fail("gpsim ha segnalato un errore: " + errors.front());

  std::vector<std::uint64_t> stops = moments;
  for (const tc::StimulusChange& c : changes)
    if (c.cycle > 0 && c.cycle < options.cycles) stops.push_back(c.cycle);
  stops.push_back(options.cycles);
  std::sort(stops.begin(), stops.end());
  stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
  std::string pending;  // line changes at cycle 0 apply before the first stretch
  for (const tc::StimulusChange& c : changes)
    if (c.cycle == 0) pending += C::SetPin(c.pin, c.high);
  bool asleep = false;
  std::optional<ChipLines> chip;
  size_t nextMoment = 0;
  for (const std::uint64_t stop : stops) {
    if (!asleep) {
      const auto answer = ask(pending + C::BreakAtCycle(stop) + C::Run() + C::Sync() + C::DumpRegisters() + C::Sync() +
                                  C::Cycles() + C::Sync(),
                              3);
      pending.clear();
      if (!answer) return fail(run.timedOut ? "gpsim non ha risposto entro " +
                                                  std::to_string(options.timeLimit.count() / 1000) +
                                                  " secondi ed è stato interrotto"
                                            : "gpsim si è interrotto prima di completare la simulazione");
      const tc::RunStop ran = tc::GpsimReply::ParseRunStop((*answer)[0]);
      const auto registers = tc::GpsimReply::ParseRegisters((*answer)[1]);
      const auto cycles = tc::GpsimReply::ParseCycles((*answer)[2]);
      if (!registers || !cycles || ran.kind == tc::RunStop::Kind::None) return fail("risposta di gpsim non riconosciuta");
      tc::ChipState state;
      state.registers = registers->registers;
      state.w = registers->w;
      state.pc = registers->pc;
      state.cycles = *cycles;
      asleep = state.sleep = ran.kind == tc::RunStop::Kind::ExecutionBreak;
      chip = ReadChip(variables, state);
    }
    while (nextMoment < moments.size() && moments[nextMoment] == stop) {
      run.atMoments.push_back(*chip);
      ++nextMoment;
    }
    if (stop == options.cycles) run.lines = *chip;
    for (const tc::StimulusChange& c : changes)
      if (c.cycle == stop) pending += C::SetPin(c.pin, c.high);
  }
  tool.Write(C::Quit());
  tool.Wait(tc::Clock::now() + std::chrono::seconds(5));
  return true;
}

}  // namespace

std::vector<tc::Variable> ChipVariables(const std::vector<DeclaredVariable>& variables) {
  std::vector<tc::Variable> chip;
  for (const DeclaredVariable& d : variables) {
    tc::Variable v;
    v.name = d.name;
    v.address = d.address;
    v.type = d.type;
    v.size = d.size;
    v.elementSize = d.type == "BYTE"                      ? 1
                    : d.type == "INTEGER" || d.type == "WORD" ? 2
                    : d.type == "SINGLE" || d.type == "FLOAT" ? 4
                    : d.type == "LONG"                        ? 8
                                                              : d.size;
    if (v.elementSize <= 0 || v.size % v.elementSize != 0) v.elementSize = v.size;
    chip.push_back(v);
  }
  return chip;
}

ChipLines ReadChip(const std::vector<tc::Variable>& variables, const tc::ChipState& chip) {
  ChipLines lines;
  for (const tc::Variable& v : variables) {
    if (v.name.rfind("W#", 0) == 0) continue;  // the translator's own work bytes
    if (v.size <= 0) continue;
    lines.emplace_back(v.name, tc::VariableValue(v, chip.registers));
  }
  lines.emplace_back("PORTA", Hex2(chip.PortA()));
  lines.emplace_back("PORTB", Hex2(chip.PortB()));
  lines.emplace_back("TRISA", Hex2(chip.TrisA()));
  lines.emplace_back("TRISB", Hex2(chip.TrisB()));
  lines.emplace_back("W", Hex2(chip.w));
  lines.emplace_back("CICLI", std::to_string(chip.cycles));
  lines.emplace_back("SLEEP", italian::YesNo(chip.sleep));
  return lines;
}

std::chrono::milliseconds SimulationGuard(std::uint64_t cycles) {
  return std::chrono::milliseconds(10000 + cycles / 1000);
}

AssemblyRun RunAssembly(const std::string& assembly, const std::vector<tc::Variable>& variables,
                        const tc::SimulationOptions& options, const std::vector<std::uint64_t>& moments,
                        const std::vector<tc::StimulusChange>& changes, const std::vector<int>& asmToBasic) {
  AssemblyRun run;
  TempFolder folder;
  if (folder.path.empty()) {
    run.error = std::string("impossibile creare una cartella temporanea: ") + italian::SystemError(errno);
    return run;
  }
  const tc::AssembleResult assembled = tc::Assemble(folder.path.string(), "programma", AssemblyFileBytes(assembly));
  if (!assembled.ok) {
    run.toolMissing = assembled.toolMissing;
    run.error = assembled.error;
    for (const tc::AssemblerLine& line : assembled.lines)
      if (line.kind == tc::AssemblerLine::Kind::Error) run.error += "\n" + line.text;
    if (!assembled.toolFailed && !assembled.toolMissing)
      for (const tc::AssemblerDiagnostic& d : tc::MapAssemblerLines(assembled.lines, "programma.asm", asmToBasic))
        if (d.kind == tc::AssemblerDiagnostic::Kind::Error) run.assemblerErrors.push_back(d);
    return run;
  }
  tc::SimulationOptions withModule = options;
  if (withModule.modulePath.empty()) withModule.modulePath = tc::VelmoraModulePath();
  if (!changes.empty()) {
    if (withModule.modulePath.empty()) {  // without the module: gpsim driven a stretch at a time
      run.ok = RunWithChanges(assembled, variables, options, moments, changes, run);
      return run;
    }
    // With it the module plays the changes inside gpsim, and gpsim's own
    // stops are seen as in any other run.
    withModule.stimuli.insert(withModule.stimuli.end(), changes.begin(), changes.end());
    std::stable_sort(withModule.stimuli.begin(), withModule.stimuli.end(),
                     [](const tc::StimulusChange& a, const tc::StimulusChange& b) { return a.cycle < b.cycle; });
  }
  std::vector<int> basicLineByAddress;
  bool listingRead = false;
  // gpsim runs the same program the same way each time, so the chip at an
  // intermediate moment is the end of a run that stops there; a run that
  // gpsim stops by itself is read at the stop, and a later moment sees the
  // same chip.
  const auto simulate = [&](std::uint64_t cycles, ChipLines& lines, bool last) {
    tc::SimulationOptions o = withModule;
    o.cycles = cycles;
    if (!last) o.record = false;
    const tc::SimulationResult r = tc::Simulate(assembled.codPath, o);
    run.timedOut = r.timedOut;
    run.toolMissing = r.toolMissing;
    if (!r.ok) {
      run.error = r.error;
      return false;
    }
    lines = ReadChip(variables, r.chip);
    if (last) {
      run.trace = r.trace;
      run.notes = r.stop.notes;
    }
    if (r.stop.IsFault()) {
      if (!listingRead) {
        fs::path listing(assembled.codPath);
        listing.replace_extension(".lst");
        std::ostringstream text;
        text << std::ifstream(listing, std::ios::binary).rdbuf();
        basicLineByAddress = tc::BasicLinesByAddress(text.str(), asmToBasic);
        listingRead = true;
      }
      const tc::StopPlace place = tc::PlaceOfStop(r.stop.pc, r.chip.returnAddress, basicLineByAddress);
      const ChipStop stop{tc::StopWord(r.stop.kind), tc::StopExplanation(r.stop), r.stop.original, place.line};
      lines.emplace_back("FERMATA", stop.word);
      if (!run.stop) run.stop = stop;
    }
    return true;
  };
  for (const std::uint64_t moment : moments) {
    run.atMoments.emplace_back();
    if (!simulate(moment, run.atMoments.back(), false)) return run;
  }
  run.ok = simulate(options.cycles, run.lines, true);
  return run;
}

}  // namespace velmora
