// SPDX-License-Identifier: GPL-3.0-or-later
// gpsim over a QProcess: a request queue, answers cut at the sync lines, a
// deadline per request.
#include "gpsim_session.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "gpsim_protocol.h"
#include "italian_text.h"
#include "process.h"

namespace velmora::simulator {
namespace {

namespace C = toolchain::GpsimCommands;

// The end of the `count`-th sync line in `text`; npos when there are fewer.
size_t EndOfSyncs(const std::string& text, size_t count) {
  const std::string line = std::string("\n") + C::kSyncLine + "\n";
  size_t at = 0;
  for (size_t found = 0; found < count; ++found) {
    at = text.find(line, at);
    if (at == std::string::npos) return at;
    at += line.size() - 1;  // keep the final newline for the next search's leading one
  }
  return at + 1;
}

// How long the destructor waits for the killed gpsim to be reaped.
constexpr int kReapLimitMs = 2000;

}  // namespace

void EndWithParent(QProcess& process) {
  const pid_t parent = getpid();
  // Runs in the child between fork and exec: only async-signal-safe calls.
  process.setChildProcessModifier([parent] {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before the line above: then nobody sends it.
    if (getppid() != parent) _exit(127);
  });
}

GpsimSession::GpsimSession(QObject* parent) : QObject(parent), process_(*new QProcess) {
  EndWithParent(process_);
  process_.setProcessChannelMode(QProcess::MergedChannels);
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    fail(QStringLiteral("gpsim non ha risposto entro %1 %2 ed è stato interrotto. "
                        "Premere Reset per riavviare la simulazione.")
             .arg(QString::number(limitMs_ / 1000.0, 'g', 3).replace(QLatin1Char('.'), QLatin1Char(',')),
                  limitMs_ == 1000 ? QStringLiteral("secondo") : QStringLiteral("secondi")));
  });
  connect(&process_, &QProcess::readyReadStandardOutput, this, &GpsimSession::onOutput);
  connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart)
      fail(QStringLiteral("Impossibile avviare gpsim: %1")
               .arg(QString::fromStdString(italian::SystemErrorText(process_.errorString().toStdString()))));
    else if (error == QProcess::Crashed)
      fail(QStringLiteral("gpsim si è chiuso in modo anomalo. Premere Reset per riavviare la simulazione."));
  });
  connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
    if (status == QProcess::NormalExit)
      fail(QStringLiteral("gpsim è terminato inaspettatamente (codice %1). "
                          "Premere Reset per riavviare la simulazione.")
               .arg(code));
  });
}

GpsimSession::~GpsimSession() {
  dead_ = true;  // no failed() while being destroyed
  // Destroyed from inside one of the process's own signals (a failed()
  // handler that resets the simulation): the process is still on the call
  // stack, so it may be neither waited for nor deleted here.
  const bool insideProcessSignal = sender() == &process_;
  // Nothing the dying process emits (output, errors, its end, all delivered
  // synchronously by the wait below) may reach this half-destroyed session.
  process_.disconnect(this);
  if (process_.state() != QProcess::NotRunning) {
    // SIGKILL cannot be ignored: gpsim is gone within milliseconds, and
    // reaping it here frees the process with the session and leaves no
    // zombie behind the window.
    process_.kill();
    if (insideProcessSignal || !process_.waitForFinished(kReapLimitMs)) {
      // Not reaped here (or not in time, a child stuck in the kernel): the
      // process frees itself once the event loop has seen it end.
      QObject::connect(&process_, &QProcess::finished, &process_, &QObject::deleteLater);
      return;
    }
  } else if (insideProcessSignal) {
    process_.deleteLater();
    return;
  }
  delete &process_;
}

bool GpsimSession::start(const QString& folder, QString* error) {
  const std::string gpsim = toolchain::FindTool("gpsim");
  if (gpsim.empty()) {
    dead_ = true;
    if (error) *error = QString::fromStdString(toolchain::MissingToolMessage("gpsim"));
    return false;
  }
  process_.setWorkingDirectory(folder);
  process_.start(QString::fromStdString(gpsim), {QStringLiteral("-i"), QStringLiteral("-S"), QStringLiteral("disable")});
  return true;
}

void GpsimSession::request(std::vector<std::string> parts, Callback done) {
  if (dead_) return;
  queue_.push_back({std::move(parts), std::move(done)});
  if (!current_) sendNext();
}

void GpsimSession::sendNext() {
  if (dead_ || current_ || queue_.empty()) return;
  current_ = std::move(queue_.front());
  queue_.pop_front();
  std::string text;
  for (const std::string& part : current_->parts) text += part + C::Sync();
  process_.write(text.data(), static_cast<qint64>(text.size()));
  deadline_.start(limitMs_);
}

void GpsimSession::onOutput() {
  const QByteArray chunk = process_.readAllStandardOutput();
  buffer_.append(chunk.constData(), static_cast<size_t>(chunk.size()));
  transcript_.append(chunk.constData(), static_cast<size_t>(chunk.size()));
  while (current_ && !dead_) {
    const size_t end = EndOfSyncs(buffer_, current_->parts.size());
    if (end == std::string::npos) return;
    deadline_.stop();
    Answers answers = toolchain::GpsimReply::SplitAtSync(buffer_.substr(0, end));
    buffer_.erase(0, end);
    Request finished = std::move(*current_);
    current_.reset();
    sendNext();  // written before the callback, which may queue more
    if (finished.done) finished.done(answers);
  }
}

void GpsimSession::fail(const QString& message) {
  if (dead_) return;
  dead_ = true;
  deadline_.stop();
  queue_.clear();
  current_.reset();
  if (process_.state() != QProcess::NotRunning) process_.kill();
  emit failed(message);
}

}  // namespace velmora::simulator
