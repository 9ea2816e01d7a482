// SPDX-License-Identifier: GPL-3.0-or-later
// Run control over a gpsim session: start-up, slices, breakpoints, stops.
#include "sim_controller.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <regex>
#include <sstream>

#include "step_planner.h"

namespace velmora::simulator {
namespace {

namespace C = toolchain::GpsimCommands;
namespace R = toolchain::GpsimReply;
using toolchain::Pin;

const Pin kPins[] = {{'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}, {'A', 4}, {'B', 0}, {'B', 1},
                     {'B', 2}, {'B', 3}, {'B', 4}, {'B', 5}, {'B', 6}, {'B', 7}};

constexpr int kFramesPerSecond = 30;
constexpr std::uint64_t kMinSlice = 10000, kMaxSlice = 20000000;

// The execution breakpoints of a "break" listing: number -> address.
std::vector<std::pair<int, int>> ExecutionBreakpoints(const std::string& answer) {
  static const std::regex row(R"(^\s*([0-9]+): \S+ Execution at .*\(0x([0-9a-fA-F]+)\))");
  std::vector<std::pair<int, int>> found;
  std::istringstream in(answer);
  std::string line;
  while (std::getline(in, line)) {
    std::smatch m;
    if (std::regex_search(line, m, row)) found.emplace_back(std::stoi(m[1].str()), std::stoi(m[2].str(), nullptr, 16));
  }
  return found;
}

// A file register set by hand ("reg(0x0C) = 0x21"), and W.
std::string WriteRegister(int address, int value) {
  char text[40];
  std::snprintf(text, sizeof text, "reg(0x%02X) = 0x%02X\n", address, value);
  return text;
}
std::string WriteW(int value) { return "W = " + std::to_string(value) + "\n"; }

constexpr int kStatus = 0x03, kPowerDownBit = 0x08;

}  // namespace

SimController::SimController(QObject* parent) : QObject(parent) {
  const QFileInfo module(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                         QLatin1String(C::kStackModuleFromProgram));
  if (module.isFile()) stackModule_ = module.canonicalFilePath();
  for (const Pin& pin : kPins) pins_.emplace_back(pin, false);
  pacer_.setSingleShot(true);
  connect(&pacer_, &QTimer::timeout, this, &SimController::slice);
}

SimController::~SimController() = default;

void SimController::setProgram(const QString& codPath, ProgramMap map) {
  codPath_ = codPath;
  map_ = std::move(map);
  userAddresses_.clear();
}

void SimController::setFrequency(long hz) {
  if (hz <= 0 || hz == frequency_) return;
  frequency_ = hz;
  if (session_ && session_->alive()) session_->request({C::Frequency(hz)}, nullptr);
}

void SimController::setBreakpoints(const QSet<int>& basicLines) {
  userAddresses_.clear();
  for (int line : basicLines) {
    const int address = map_.FirstAddress(line);
    if (address >= 0) userAddresses_.insert(address);
  }
  breakpointsChanged_ = true;
}

void SimController::setPin(Pin pin, bool high) {
  for (auto& [p, level] : pins_)
    if (p == pin) level = high;
  if (session_ && session_->alive()) session_->request({C::SetPin(pin, high)}, nullptr);
}

bool SimController::pinLevel(Pin pin) const {
  for (const auto& [p, level] : pins_)
    if (p == pin) return level;
  return false;
}

bool SimController::forcePin(Pin pin) {
  const int tris = chip_.reg(pin.port == 'A' ? 0x85 : 0x86);
  if (tris < 0 || (tris >> pin.bit & 1)) {  // an input: its source
    if (!ready()) {
      setPin(pin, !pinLevel(pin));
      return true;
    }
    for (auto& [p, level] : pins_)
      if (p == pin) level = !level;
    readBackAfterWrite(C::SetPin(pin, pinLevel(pin)));
    return true;
  }
  const int port = pin.port == 'A' ? 0x05 : 0x06;
  return writeValues({{port, chip_.reg(port) ^ (1 << pin.bit)}});
}

bool SimController::writeValues(const std::vector<std::pair<int, int>>& registers, int w) {
  if (!ready() || (registers.empty() && w < 0) || w > 0xFF) return false;
  std::string commands;
  for (const auto& [address, value] : registers) {
    if (address < 0 || address > 0xFF || value < 0 || value > 0xFF) return false;
    commands += WriteRegister(address, value);
  }
  if (w >= 0) commands += WriteW(w);
  readBackAfterWrite(commands);
  return true;
}

void SimController::readBackAfterWrite(const std::string& commands) {
  std::vector<std::string> requests = readBack();
  requests.insert(requests.begin(), commands);
  session_->request(requests, [this](const GpsimSession::Answers& a) {
    // A run started meanwhile reads the chip itself; its slices come after.
    if (running()) return;
    if (!readChip(a, 1)) return onFailed(QStringLiteral("Risposta di gpsim non riconosciuta."));
    lastStop_ = chip_;  // the next stop marks what changed since these values
    emit valuesChanged();
  });
}

void SimController::reset() {
  const bool wasRunning = running();
  pacer_.stop();
  mode_ = Mode::Idle;
  temporary_.clear();
  session_.reset();
  chip_ = lastStop_ = stopBefore_ = ChipSnapshot{};
  stopwatch_ = 0;
  fault_ = {};
  watchdogInUse_ = watchdog_;
  if (wasRunning) emit runningChanged(false);
  if (!hasProgram()) return;

  session_ = std::make_unique<GpsimSession>();
  session_->setTimeLimit(limitMs_);
  connect(session_.get(), &GpsimSession::failed, this, &SimController::onFailed);
  QString error;
  const QFileInfo cod(codPath_);
  if (!session_->start(cod.absolutePath(), &error)) {
    onFailed(error);
    return;
  }
  starting_ = true;
  std::string setup = C::Setup(cod.fileName().toStdString(), watchdog_) + "p16f84.BreakOnReset = true\n" +
                      C::Frequency(frequency_) + C::LoadModules();
  for (const auto& [pin, level] : pins_) setup += C::AttachPin(pin, level);
  // The stack module has an answer of its own: if gpsim cannot load it, only
  // the depth is missing.
  std::vector<std::string> requests = {setup, readsStack() ? C::LoadStackModule(stackModule_.toStdString()) : ""};
  for (std::string& r : readBack()) requests.push_back(std::move(r));
  session_->request(requests, [this](const GpsimSession::Answers& a) {
    starting_ = false;
    const std::vector<std::string> errors = R::Errors(a[0]);
    if (!errors.empty()) return onFailed(QStringLiteral("gpsim ha segnalato un errore: %1").arg(QString::fromStdString(errors.front())));
    if (!readChip(a, 2)) return onFailed(QStringLiteral("Risposta di gpsim non riconosciuta."));
    lastStop_ = stopBefore_ = chip_;
    breakpointsChanged_ = true;
    emit stopped(Stop::Started, QString());
  });
}

void SimController::run() { begin(Mode::Run, {}); }

void SimController::stepLine() {
  if (ready()) stepTo(LineStepStops(map_, chip_.pc));
}

void SimController::stepOver() {
  if (ready()) stepTo(StepOverStops(map_, chip_.pc));
}

void SimController::stepOut() {
  if (!ready()) return;
  std::set<int> returns = StepOutStops(map_, chip_.pc);
  if (returns.empty()) return stepLine();  // in the main program: nowhere to return to
  begin(Mode::StepOut, std::move(returns));
}

bool SimController::insideRoutine() const { return chip_.pc >= 0 && !StepOutStops(map_, chip_.pc).empty(); }

void SimController::stepTo(std::set<int> stops) {
  if (stops.empty()) return stepInstruction();  // no BASIC lines known: one instruction
  begin(Mode::StepLine, std::move(stops));
}

void SimController::runToLine(int basicLine) {
  if (!ready()) return;
  std::set<int> entries;  // where the line is entered: the start of each run of its addresses
  for (int a = 0; a < kProgramWords; ++a)
    if (map_.BasicLineAt(a) == basicLine && (a == 0 || map_.BasicLineAt(a - 1) != basicLine)) entries.insert(a);
  if (entries.empty()) return;
  begin(Mode::RunToCursor, std::move(entries));
}

void SimController::stepInstruction() {
  if (!ready()) return;
  mode_ = Mode::StepLine;
  fault_ = {};
  emit runningChanged(true);
  std::vector<std::string> requests = readBack();
  requests.insert(requests.begin(), C::Step(1));
  session_->request(requests,
                    [this](const GpsimSession::Answers& a) {
                      if (!readChip(a, 1)) return onFailed(QStringLiteral("Risposta di gpsim non riconosciuta."));
                      const toolchain::GpsimStop stop = toolchain::ParseGpsimStop(a[0]);
                      if (stop.IsFault()) return finishFault(stop);
                      finish(asleep() ? Stop::Asleep : Stop::Step, asleep() ? asleepMessage() : QString());
                    });
}

void SimController::pause() {
  if (!running()) return;
  pauseRequested_ = true;
  if (pacer_.isActive()) {  // waiting for the wall clock: nothing in flight
    pacer_.stop();
    finish(Stop::Paused, QString());
  }
}

void SimController::begin(Mode mode, std::set<int> temporary) {
  if (!ready()) return;
  mode_ = mode;
  fault_ = {};
  temporary_ = std::move(temporary);
  pauseRequested_ = false;
  breakpointsChanged_ = true;
  runClock_.start();
  runStartCycles_ = chip_.cycles;
  emit runningChanged(true);
  slice();
}

std::set<int> SimController::wantedBreakpoints() const {
  std::set<int> wanted = userAddresses_;
  wanted.insert(map_.sleepAddresses.begin(), map_.sleepAddresses.end());
  wanted.insert(temporary_.begin(), temporary_.end());
  return wanted;
}

void SimController::syncBreakpoints(std::function<void()> then) {
  session_->request({"break\n"}, [this, then](const GpsimSession::Answers& a) {
    std::set<int> wanted = wantedBreakpoints();
    std::string commands;
    for (const auto& [number, address] : ExecutionBreakpoints(a[0])) {
      if (wanted.erase(address) == 0) commands += C::ClearBreak(number);  // unwanted, or a duplicate
    }
    for (int address : wanted) commands += C::BreakAtAddress(address);
    if (commands.empty()) return then();
    session_->request({commands}, [then](const GpsimSession::Answers&) { then(); });
  });
}

void SimController::slice() {
  if (mode_ == Mode::Idle || !session_) return;
  if (pauseRequested_) return finish(Stop::Paused, QString());
  if (breakpointsChanged_) {
    breakpointsChanged_ = false;
    return syncBreakpoints([this] { slice(); });
  }
  const bool paced = speed_ == Speed::RealTime && !stepping();
  const std::uint64_t cycles =
      paced ? std::max<std::uint64_t>(1, static_cast<std::uint64_t>(frequency_ / 4 / kFramesPerSecond)) : sliceCycles_;
  sliceClock_.start();
  std::vector<std::string> requests = readBack();
  requests.insert(requests.begin(), C::BreakAtCycle(chip_.cycles + cycles) + C::Run());
  session_->request(requests, [this](const GpsimSession::Answers& a) { onSlice(a); });
}

void SimController::onSlice(const GpsimSession::Answers& a) {
  if (mode_ == Mode::Idle) return;
  if (!readChip(a, 1)) return onFailed(QStringLiteral("Risposta di gpsim non riconosciuta."));
  if (speed_ == Speed::Maximum || stepping()) {  // aim at ~30 ms of gpsim's work per slice
    const auto ms = static_cast<std::uint64_t>(std::max<qint64>(1, sliceClock_.elapsed()));
    sliceCycles_ = std::clamp<std::uint64_t>(sliceCycles_ * 30 / ms, kMinSlice, kMaxSlice);
  }
  const toolchain::GpsimStop stop = toolchain::ParseGpsimStop(a[0]);
  if (stop.IsFault()) return finishFault(stop);
  if (stop.kind == toolchain::StopKind::Breakpoint) {
    const int address = stop.address;
    const int line = map_.BasicLineAt(address);
    if (std::find(map_.sleepAddresses.begin(), map_.sleepAddresses.end(), address) != map_.sleepAddresses.end())
      return finish(Stop::Sleep, QStringLiteral("Il programma ha raggiunto l'istruzione SLEEP (END): il micro si ferma."));
    if (temporary_.count(address) && mode_ == Mode::StepOut && line == 0) {
      // Returned into code of no BASIC line (the interrupt handler, a
      // runtime routine): on to the next line, as a line step.
      mode_ = Mode::StepLine;
      temporary_ = LineStepStops(map_, address);
      breakpointsChanged_ = true;
      return pacer_.start(0);
    }
    if (temporary_.count(address)) return finish(stepping() ? Stop::Step : Stop::Cursor, QString());
    return finish(Stop::Breakpoint, line > 0 ? QStringLiteral("Punto di interruzione alla riga %1.").arg(line)
                                             : QStringLiteral("Punto di interruzione."));
  }
  // A slice that ends with the chip asleep would be followed by others
  // for ever: the run stops and says why.
  if (asleep()) return finish(Stop::Asleep, asleepMessage());
  emit progressed();
  if (pauseRequested_) return finish(Stop::Paused, QString());
  qint64 wait = 0;
  if (speed_ == Speed::RealTime && !stepping()) {
    const double ahead = seconds(chip_.cycles - runStartCycles_) * 1000.0 - static_cast<double>(runClock_.elapsed());
    wait = std::max<qint64>(0, static_cast<qint64>(ahead));
  }
  pacer_.start(static_cast<int>(std::min<qint64>(wait, 1000)));
}

std::vector<std::string> SimController::readBack() const {
  std::vector<std::string> requests = {C::DumpRegisters(), C::DumpEeprom(), C::Cycles()};
  if (readsStack()) {
    requests.push_back(C::StackDepth());
    requests.push_back(C::ReturnAddress());
  }
  return requests;
}

bool SimController::readChip(const GpsimSession::Answers& a, size_t first) {
  if (a.size() < first + 3) return false;
  const auto registers = R::ParseRegisters(a[first]);
  const auto eeprom = R::ParseEeprom(a[first + 1]);
  const auto cycles = R::ParseCycles(a[first + 2]);
  if (!registers || !eeprom || !cycles) return false;
  chip_.registers = registers->registers;
  chip_.w = registers->w;
  chip_.pc = registers->pc;
  chip_.eeprom = *eeprom;
  chip_.cycles = *cycles;
  chip_.stack = a.size() > first + 3 ? R::ParseStackDepth(a[first + 3]).value_or(-1) : -1;
  chip_.returnAddress = a.size() > first + 4 ? R::ParseStackDepth(a[first + 4]).value_or(-1) : -1;
  return true;
}

bool SimController::asleep() const {
  const int status = chip_.reg(kStatus);
  const auto& sleeps = map_.sleepAddresses;
  return status >= 0 && (status & kPowerDownBit) == 0 &&
         std::find(sleeps.begin(), sleeps.end(), chip_.pc - 1) != sleeps.end();
}

QString SimController::asleepMessage() const {
  const int line = map_.BasicLineAt(chip_.pc - 1);
  return QStringLiteral("In SLEEP%1: il micro dorme e si risveglia solo con un interrupt su B0 o sulle linee B4-B7 "
                        "(se il programma li abilita), con il watchdog o con Reset.")
      .arg(line > 0 ? QStringLiteral(" alla riga %1").arg(line) : QString());
}

void SimController::finishFault(const toolchain::GpsimStop& stop) {
  using toolchain::StopKind;
  fault_ = toolchain::PlaceOfStop(stop.pc >= 0 ? stop.pc : chip_.pc, chip_.returnAddress, map_.basicLine);
  QString text = QString::fromStdString(toolchain::StopExplanation(stop));
  if (!stop.original.empty()) text += QStringLiteral(" (gpsim: %1)").arg(QString::fromStdString(stop.original));
  text = (fault_.line > 0 ? QStringLiteral("Fermata alla riga %1: ").arg(fault_.line) : QStringLiteral("Fermata: ")) +
         text + QLatin1Char('.');
  const Stop why = stop.kind == StopKind::Watchdog        ? Stop::Watchdog
                   : stop.kind == StopKind::StackOverflow ? Stop::StackOverflow
                   : stop.kind == StopKind::Unknown       ? Stop::Other
                                                          : Stop::Fault;
  finish(why, text);
}

void SimController::finish(Stop why, const QString& message) {
  mode_ = Mode::Idle;
  temporary_.clear();
  pauseRequested_ = false;
  pacer_.stop();
  stopwatch_ = chip_.cycles - lastStop_.cycles;
  stopBefore_ = lastStop_;
  lastStop_ = chip_;
  emit runningChanged(false);
  emit stopped(why, message);
}

void SimController::onFailed(const QString& message) {
  const bool wasRunning = running();
  mode_ = Mode::Idle;
  starting_ = false;
  pacer_.stop();
  if (wasRunning) emit runningChanged(false);
  emit failed(message);
}

}  // namespace velmora::simulator
