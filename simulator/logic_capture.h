// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the logic analyser while the simulator window runs: once gpsim has
// started (with Velmora's module loaded, see SimController::readsStack) the
// module's recorder writes every line change into a temporary file; after
// each slice and each stop the recorder is flushed and the new complete
// records are added to the recording. A reset starts a new recording.
//
// Byte variables chosen as buses are recorded too: asked of the recorder
// before it starts, or at once while the chip runs (the bus starts then);
// the choice is kept by name across rebuilds and resets.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "logic_recording.h"
#include "sim_controller.h"

namespace velmora::simulator {

class LogicCapture : public QObject {
  Q_OBJECT

 public:
  explicit LogicCapture(SimController& controller, QObject* parent = nullptr);

  const LogicRecording& recording() const { return recording_; }
  // False when the module is missing: nothing is recorded.
  bool available() const { return controller_.readsStack(); }

  // The program's BYTE variables, which can be shown as buses.
  QStringList byteVariables() const;
  // The variables shown as buses, in the order chosen.
  const QStringList& buses() const { return chosen_; }
  void setBuses(const QStringList& names);

 signals:
  // New records were added (or the recording was cleared).
  void updated();

 private:
  void start();
  void collect();
  void readNew();
  // The RAM address of a BYTE variable of the program; -1 if none.
  int addressOf(const QString& name) const;
  // Asks the recorder for `name` (a new bus, or one shown again).
  QString recordBus(const QString& name);
  // Records the chosen buses not yet shown, hides the others.
  void syncBuses();

  SimController& controller_;
  LogicRecording recording_;
  QTemporaryDir folder_;
  std::string path_;
  std::string pending_;  // read but not yet complete
  long long offset_ = 0;  // bytes of the file read so far
  bool recording_started_ = false;
  bool collecting_ = false;
  toolchain::PinTrace trace_;  // reused buffer for the reader
  QStringList chosen_;
  QStringList recorded_;  // the recorder's buses of this session, in its order
};

}  // namespace velmora::simulator
