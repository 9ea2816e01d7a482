// SPDX-License-Identifier: GPL-3.0-or-later
// From the BASIC text to a program gpsim can run: translate (in process; it
// takes milliseconds), then assemble with gpasm in its own process.
//
// gpasm runs on an asynchronous QProcess, as gpsim does on the bench: the
// window never waits for it, a gpasm that hangs is killed at the time
// limit, and the outcome comes back as a signal. One assembly at a time.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "assembler.h"
#include "translator.h"

namespace velmora::ui {

class BuildService : public QObject {
  Q_OBJECT
 public:
  // The translator to call (the window's, or a test's stand-in).
  using TranslateFunction = std::function<TranslationResult(std::string_view source, const TranslateOptions& options)>;

  explicit BuildService(TranslateFunction translate, QObject* parent = nullptr);
  ~BuildService() override;

  // One translation of `source` (UTF-8, CR LF line ends).
  TranslationResult translate(std::string_view source, const TranslateOptions& options) const {
    return translate_(source, options);
  }

  // Writes FILE.asm (`assemblyBytes`) and PIC16F84.DEF beside `basicPath`
  // (FILE.bas) and starts gpasm on it; `assembled` follows with the outcome
  // (also when gpasm is missing or cannot start). False, with nothing
  // started, while another assembly runs.
  bool assemble(const QString& basicPath, const std::string& assemblyBytes);
  bool busy() const { return process_ != nullptr; }
  // How long gpasm may run (30 s by default: it needs well under a second).
  void setTimeLimit(std::chrono::milliseconds limit) { limit_ = limit; }

 signals:
  // gpasm has finished, failed or was not found; `result.ok` tells which.
  void assembled(const toolchain::AssembleResult& result);

 private:
  void finish(int exitCode, bool timedOut);
  void deliver(toolchain::AssembleResult result);

  TranslateFunction translate_;
  std::chrono::milliseconds limit_{30000};
  QProcess* process_ = nullptr;
  QTimer deadline_;
  bool timedOut_ = false;
  toolchain::AssembleResult pending_;
};

}  // namespace velmora::ui
