// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic_capture.h"

#include <QFile>

#include "gpsim_protocol.h"

namespace velmora::simulator {

namespace C = toolchain::GpsimCommands;

LogicCapture::LogicCapture(SimController& controller, QObject* parent) : QObject(parent), controller_(controller) {
  if (folder_.isValid()) path_ = folder_.filePath(QStringLiteral("linee.txt")).toStdString();
  connect(&controller_, &SimController::stopped, this, [this](SimController::Stop why, const QString&) {
    if (why == SimController::Stop::Started) start();
    else collect();
  });
  connect(&controller_, &SimController::progressed, this, &LogicCapture::collect);
}

QStringList LogicCapture::byteVariables() const {
  QStringList names;
  for (const toolchain::Variable& v : controller_.map().variables)
    if (v.size == 1) names << QString::fromStdString(v.name);
  return names;
}

int LogicCapture::addressOf(const QString& name) const {
  for (const toolchain::Variable& v : controller_.map().variables)
    if (v.size == 1 && QString::fromStdString(v.name) == name) return v.address;
  return -1;
}

QString LogicCapture::recordBus(const QString& name) {
  const int address = addressOf(name);
  if (address < 0) return {};
  const qsizetype known = recorded_.indexOf(name);
  if (known >= 0) {
    recording_.showBus(static_cast<int>(known), true);
  } else {
    recorded_ << name;
    recording_.addBus(name.toStdString());
  }
  return QString::fromStdString(C::RecordByte(address));
}

void LogicCapture::setBuses(const QStringList& names) {
  chosen_ = names;
  if (recording_started_) syncBuses();
}

void LogicCapture::syncBuses() {
  std::string requests;
  for (const QString& name : chosen_) {
    const qsizetype bus = recorded_.indexOf(name);
    if (bus < 0 || !recording_.bus(static_cast<int>(bus)).shown) requests += recordBus(name).toStdString();
  }
  for (int bus = 0; bus < recorded_.size(); ++bus)
    if (!chosen_.contains(recorded_[bus])) recording_.showBus(bus, false);
  emit updated();
  if (requests.empty() || !controller_.session()) return;
  controller_.session()->request({requests}, [this](const auto&) { collect(); });
}

void LogicCapture::start() {
  recording_.clear();
  recorded_.clear();
  pending_.clear();
  offset_ = 0;
  recording_started_ = false;
  emit updated();
  if (!available() || path_.empty() || !controller_.session()) return;
  std::string buses;
  for (const QString& name : chosen_) buses += recordBus(name).toStdString();
  // gpsim answers the requests in order: the recorder is running before the
  // first slice.
  controller_.session()->request({C::LoadRecorder() + buses + C::StartRecording(path_)}, [this](const auto& answers) {
    recording_started_ = !answers.empty() && toolchain::GpsimReply::Errors(answers[0]).empty();
    // Buses chosen while the recorder was being started.
    if (recording_started_) syncBuses();
    collect();
  });
}

void LogicCapture::collect() {
  if (!recording_started_ || collecting_ || !controller_.session()) return;
  collecting_ = true;
  controller_.session()->request({C::FlushRecording()}, [this](const auto&) {
    collecting_ = false;
    readNew();
  });
}

void LogicCapture::readNew() {
  QFile file(QString::fromStdString(path_));
  if (!file.open(QIODevice::ReadOnly) || !file.seek(offset_)) return;
  const QByteArray bytes = file.readAll();
  offset_ += bytes.size();
  // The records so far after the version line: the reader wants the whole
  // text from its start once, then the rest of each flush.
  pending_.append(bytes.constData(), static_cast<size_t>(bytes.size()));
  std::string error;
  trace_.edges.clear();
  trace_.bytes.clear();
  const auto read = toolchain::ReadPinTrace(pending_, 0, trace_, error);
  if (!read) return;
  // Keep the version line at the front so the next read checks it again.
  const size_t header = pending_.find('\n') + 1;
  recording_.addAll(trace_);
  recording_.setEnd(controller_.chip().cycles);
  if (*read > header) pending_.erase(header, *read - header);
  emit updated();
}

}  // namespace velmora::simulator
