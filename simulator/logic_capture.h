// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the logic analyser while the simulator window runs: once gpsim has
// started (with Velmora's module loaded, see SimController::readsStack) the
// module's recorder writes every line change into a temporary file; after
// each slice and each stop the recorder is flushed and the new complete
// records are added to the recording. A reset starts a new recording.
#pragma once

#include <QObject>
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

 signals:
  // New records were added (or the recording was cleared).
  void updated();

 private:
  void start();
  void collect();
  void readNew();

  SimController& controller_;
  LogicRecording recording_;
  QTemporaryDir folder_;
  std::string path_;
  std::string pending_;  // read but not yet complete
  long long offset_ = 0;  // bytes of the file read so far
  bool recording_started_ = false;
  bool collecting_ = false;
  toolchain::PinTrace trace_;  // reused buffer for the reader
};

}  // namespace velmora::simulator
