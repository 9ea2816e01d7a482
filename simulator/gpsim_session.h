// SPDX-License-Identifier: GPL-3.0-or-later
// One gpsim process driven over a QProcess pipe, asynchronously.
//
// Requests are queued and written one at a time; each request is a list of
// parts, and every part is followed by GpsimCommands::Sync(), so the answer
// to part i is the text before the i-th sync line. The callback of a
// request runs once all its sync lines have arrived. A request that gets no
// complete answer within the time limit kills gpsim and reports failed();
// so does gpsim ending or crashing on its own. Nothing here blocks, except
// the destructor's short wait for the gpsim it has just killed.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora::simulator {

// Ties a child process (gpsim, gpasm) to this program, before it starts:
// the child gets its own process group (a terminal's Ctrl+C goes to the
// program, which ends its children itself) and is killed by the kernel the
// moment this program ends, however it ends (kill -9 included), so no
// simulation is left running without a window.
void EndWithParent(QProcess& process);

class GpsimSession : public QObject {
  Q_OBJECT

 public:
  using Answers = std::vector<std::string>;
  using Callback = std::function<void(const Answers&)>;

  explicit GpsimSession(QObject* parent = nullptr);
  ~GpsimSession() override;

  // Starts `gpsim -i` in `folder`. False, with the Italian reason in `error`,
  // when gpsim is not installed (the message names the package).
  bool start(const QString& folder, QString* error);
  // Queues a request; `done` receives one answer per part.
  void request(std::vector<std::string> parts, Callback done);
  // How long one request may wait for its answer (10 s by default).
  void setTimeLimit(int milliseconds) { limitMs_ = milliseconds; }
  int timeLimit() const { return limitMs_; }
  bool alive() const { return !dead_ && process_.state() != QProcess::NotRunning; }
  bool idle() const { return !current_ && queue_.empty(); }
  // Everything gpsim printed since the start (for messages and tests).
  const std::string& transcript() const { return transcript_; }

 signals:
  void failed(const QString& message);

 private:
  struct Request {
    std::vector<std::string> parts;
    Callback done;
  };
  void sendNext();
  void onOutput();
  void fail(const QString& message);

  QProcess& process_;  // owned: killed, reaped and deleted by the destructor
  QTimer deadline_;
  std::deque<Request> queue_;
  std::optional<Request> current_;
  std::string buffer_;      // output of the current request so far
  std::string transcript_;
  int limitMs_ = 10000;
  bool dead_ = false;
};

}  // namespace velmora::simulator
