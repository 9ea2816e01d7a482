// SPDX-License-Identifier: GPL-3.0-or-later
// The simulation behind the simulator window, without widgets: one gpsim
// session, the program map, the chip as last read back, and the run
// control (run, pause, the line steps, one instruction, run to a line),
// and the values changed by hand while it is stopped.
//
// A run is a chain of bounded slices: "break c NOW+N", "run", then the
// registers, the EEPROM and the cycle counter are read back. Between slices
// the event loop runs, so the window stays responsive and Pausa takes
// effect after the slice in flight. At real-time speed each slice covers
// one frame (1/30 s) of chip time and the next waits until the wall clock
// catches up; at maximum speed slices follow at once, sized to about
// 30 ms of gpsim's work.
//
// Breakpoints are execution breakpoints on program addresses: the user's
// (first address of each BASIC line), the SLEEP instructions, and the
// temporary ones of a step or run-to-line (step_planner.h says where each
// step may stop). Before a run the set installed
// in gpsim is listed and brought in line with the wanted set.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "gpsim_protocol.h"
#include "gpsim_session.h"
#include "gpsim_stop.h"
#include "program_map.h"

namespace velmora::simulator {

// The chip as read back after a stop or a slice.
struct ChipSnapshot {
  std::vector<int> registers;  // 0x00..0xFF, -1 where none
  std::vector<int> eeprom;     // 64 bytes
  int w = -1;
  int pc = -1;
  int stack = -1;  // return addresses on the hardware stack; -1 when unknown
  int returnAddress = -1;  // the one on top; -1 when empty or unknown
  std::uint64_t cycles = 0;
  bool valid() const { return registers.size() == 0x100; }
  int reg(int address) const { return valid() ? registers[static_cast<size_t>(address)] : -1; }
};

class SimController : public QObject {
  Q_OBJECT

 public:
  enum class Speed { RealTime, Maximum };
  // Sleep: at a SLEEP instruction, before it runs; Asleep: the chip ran
  // SLEEP and sleeps. Fault: gpsim stopped the program by itself (EEPROM,
  // register, empty stack; see gpsim_stop.h).
  enum class Stop { Started, Paused, Breakpoint, Step, Cursor, Sleep, Asleep, Watchdog, StackOverflow, Fault, Other };

  explicit SimController(QObject* parent = nullptr);
  ~SimController() override;

  // The program to simulate; takes effect at the next reset().
  void setProgram(const QString& codPath, ProgramMap map);
  const ProgramMap& map() const { return map_; }
  bool hasProgram() const { return !codPath_.isEmpty(); }
  const QString& codPath() const { return codPath_; }

  // Crystal frequency in Hz (4 cycles of the clock per instruction cycle).
  void setFrequency(long hz);
  long frequency() const { return frequency_; }
  // The watchdog switch takes effect at the next reset() (the configuration
  // word is set when the program is loaded): a run in progress is not
  // restarted behind the user's back.
  void setWatchdog(bool on) { watchdog_ = on; }
  bool watchdog() const { return watchdog_; }
  // The watchdog of the simulation in progress (as at the last reset()).
  bool watchdogInUse() const { return watchdogInUse_; }
  void setSpeed(Speed speed) { speed_ = speed; }
  Speed speed() const { return speed_; }
  // Time limit for each answer of gpsim.
  void setTimeLimit(int milliseconds) { limitMs_ = milliseconds; }

  // Breakpoints on BASIC lines (from 1); a line without instructions is skipped.
  void setBreakpoints(const QSet<int>& basicLines);
  // The level held on a pin by its source (input pins read it).
  void setPin(toolchain::Pin pin, bool high);
  bool pinLevel(toolchain::Pin pin) const;
  // A click on a pin: an input's source changes level (running or not); an
  // output, while stopped, gets the other level written into its port
  // latch, which the pin then drives. False when nothing was changed.
  bool forcePin(toolchain::Pin pin);

  // While stopped: writes file registers (address 0x00-0xFF, bank 1 at
  // 0x80 on; values 0-255) and, when given, W; then reads the chip back and
  // emits valuesChanged(). False (nothing sent) when not stopped or a value
  // is out of range. A command given at once (Esegui) is queued behind the
  // write, so it runs on the values written.
  bool writeValues(const std::vector<std::pair<int, int>>& registers, int w = -1);

  // (Re)starts gpsim with the program; stopped() with Stop::Started when ready.
  void reset();
  void run();
  void pause();
  // Runs until the program reaches an address of another BASIC line (so a
  // CALL steps into the routine), passing through the jumps of ELSE, LOOP
  // and the like; one instruction when no lines are known.
  void stepLine();
  // The same, running the routines the line calls (and any interrupt) to
  // their end: stops on a line after the call.
  void stepOver();
  // Runs until the routine the program is in returns, and stops there (or,
  // back in code of no BASIC line, on the next line); a line step in the
  // main program.
  void stepOut();
  // The program is inside a routine (a SUB or an interrupt routine): stepOut() has
  // somewhere to return to.
  bool insideRoutine() const;
  void stepInstruction();
  void runToLine(int basicLine);

  bool running() const { return mode_ != Mode::Idle; }
  // gpsim is up and stopped: the commands above can be given.
  bool ready() const { return session_ && session_->alive() && !starting_ && mode_ == Mode::Idle; }
  const ChipSnapshot& chip() const { return chip_; }
  // The stack depth is read (Velmora's gpsim module was found).
  bool readsStack() const { return !stackModule_.isEmpty(); }
  // What the values are compared with to mark changes: the last stop while
  // running, the stop before it when stopped.
  const ChipSnapshot& reference() const { return running() ? lastStop_ : stopBefore_; }
  // Instruction cycles between the last two stops, and the time they take.
  std::uint64_t stopwatchCycles() const { return stopwatch_; }
  double seconds(std::uint64_t cycles) const { return static_cast<double>(cycles) * 4.0 / static_cast<double>(frequency_); }
  // Where the program is: the BASIC line of the PC, or, after a fault, the
  // line it belongs to (the CALL of a runtime routine that stopped).
  int currentBasicLine() const { return fault_.line > 0 ? fault_.line : map_.BasicLineAt(chip_.pc); }
  // The program address that stands for currentBasicLine().
  int currentAddress() const { return fault_.line > 0 ? fault_.address : chip_.pc; }
  // The chip has run a SLEEP instruction and sleeps.
  bool asleep() const;
  GpsimSession* session() const { return session_.get(); }

 signals:
  void stopped(SimController::Stop why, const QString& message);
  void progressed();
  void runningChanged(bool running);
  void failed(const QString& message);
  // writeValues() or forcePin() changed the chip while it was stopped.
  void valuesChanged();

 private:
  enum class Mode { Idle, Run, StepLine, StepOut, RunToCursor };
  bool stepping() const { return mode_ == Mode::StepLine || mode_ == Mode::StepOut; }
  void stepTo(std::set<int> stops);
  void readBackAfterWrite(const std::string& commands);
  void begin(Mode mode, std::set<int> temporary);
  void syncBreakpoints(std::function<void()> then);
  void slice();
  void onSlice(const GpsimSession::Answers& answers);
  // The requests that read the chip back after a start, a slice or a step.
  std::vector<std::string> readBack() const;
  bool readChip(const GpsimSession::Answers& answers, size_t first);
  void finish(Stop why, const QString& message);
  // A stop of gpsim's own: finishes with its kind and Italian message.
  void finishFault(const toolchain::GpsimStop& stop);
  QString asleepMessage() const;
  void onFailed(const QString& message);
  std::set<int> wantedBreakpoints() const;

  std::unique_ptr<GpsimSession> session_;
  // Velmora's gpsim module, which shows the stack depth; empty when not found.
  QString stackModule_;
  QString codPath_;
  ProgramMap map_;
  long frequency_ = 4000000;
  bool watchdog_ = false;
  bool watchdogInUse_ = false;
  toolchain::StopPlace fault_;  // line 0 unless stopped by a fault
  Speed speed_ = Speed::RealTime;
  int limitMs_ = 10000;
  std::set<int> userAddresses_;
  std::set<int> temporary_;
  bool breakpointsChanged_ = true;
  std::vector<std::pair<toolchain::Pin, bool>> pins_;
  bool starting_ = false;
  Mode mode_ = Mode::Idle;
  bool pauseRequested_ = false;
  std::uint64_t sliceCycles_ = 50000;
  QElapsedTimer runClock_, sliceClock_;
  std::uint64_t runStartCycles_ = 0;
  QTimer pacer_;
  ChipSnapshot chip_, lastStop_, stopBefore_;
  std::uint64_t stopwatch_ = 0;
};

}  // namespace velmora::simulator
