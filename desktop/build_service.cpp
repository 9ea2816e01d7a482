// SPDX-License-Identifier: GPL-3.0-or-later
// Translate in process, assemble with gpasm on an asynchronous QProcess.
#include "build_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "gpsim_session.h"
#include "process.h"

namespace velmora::ui {

namespace {

bool WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
         file.flush();
}

}  // namespace

BuildService::BuildService(TranslateFunction translate, QObject* parent)
    : QObject(parent), translate_(std::move(translate)) {
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    if (!process_) return;
    timedOut_ = true;
    process_->kill();
  });
}

BuildService::~BuildService() {
  if (!process_) return;
  process_->disconnect(this);
  process_->kill();
  process_->waitForFinished(1000);
  delete process_;
}

bool BuildService::assemble(const QString& basicPath, const std::string& assemblyBytes) {
  if (process_) return false;
  const QFileInfo basic(basicPath);
  const QDir folder = basic.absoluteDir();
  const QString name = basic.completeBaseName();
  toolchain::AssembleResult r;
  r.asmPath = folder.filePath(name + QStringLiteral(".asm")).toStdString();
  r.hexPath = folder.filePath(name + QStringLiteral(".hex")).toStdString();
  r.codPath = folder.filePath(name + QStringLiteral(".cod")).toStdString();
  const std::string gpasm = toolchain::FindTool("gpasm");
  if (gpasm.empty()) {
    r.toolMissing = true;
    r.error = toolchain::MissingToolMessage("gpasm");
    deliver(std::move(r));
    return true;
  }
  if (!WriteBytes(QString::fromStdString(r.asmPath), assemblyBytes) ||
      !WriteBytes(folder.filePath(QStringLiteral("PIC16F84.DEF")), DefinitionsFileBytes())) {
    r.error = "Impossibile scrivere i file in " + folder.path().toStdString();
    deliver(std::move(r));
    return true;
  }
  // Outputs of an earlier run must not pass for this one's.
  QFile::remove(QString::fromStdString(r.hexPath));
  QFile::remove(QString::fromStdString(r.codPath));

  pending_ = std::move(r);
  timedOut_ = false;
  process_ = new QProcess(this);
  simulator::EndWithParent(*process_);
  process_->setProcessChannelMode(QProcess::MergedChannels);
  process_->setWorkingDirectory(folder.path());
  connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
    finish(status == QProcess::NormalExit ? code : -1, timedOut_);
  });
  connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) finish(-1, false);
  });
  process_->start(QString::fromStdString(gpasm), {QStringLiteral("-p16f84"), name + QStringLiteral(".asm")});
  deadline_.start(limit_);
  return true;
}

// gpasm's lines sorted and counted; a failure leaves neither the .hex nor
// the .cod (gpasm writes a .cod even after errors), so nothing half-built
// reaches the simulator.
void BuildService::finish(int exitCode, bool timedOut) {
  if (!process_) return;
  deadline_.stop();
  const QByteArray output = process_->readAll();
  process_->deleteLater();
  process_ = nullptr;
  toolchain::AssembleResult r = std::move(pending_);
  r.lines = toolchain::ParseAssemblerOutput(output.toStdString());
  for (const toolchain::AssemblerLine& l : r.lines) {
    r.errors += l.kind == toolchain::AssemblerLine::Kind::Error;
    r.warnings += l.kind == toolchain::AssemblerLine::Kind::Warning;
  }
  r.ok = !timedOut && exitCode == 0 && r.errors == 0 && QFile::exists(QString::fromStdString(r.hexPath));
  if (!r.ok) {
    QFile::remove(QString::fromStdString(r.hexPath));
    QFile::remove(QString::fromStdString(r.codPath));
    r.error = timedOut ? "gpasm non ha terminato entro " + std::to_string(limit_.count() / 1000) + " secondi"
                       : "Assemblaggio non riuscito (gpasm: " + std::to_string(r.errors) + " errori)";
  }
  deliver(std::move(r));
}

// Always through the event loop, so the caller has returned (and shown its
// "Wait...") before the outcome arrives.
void BuildService::deliver(toolchain::AssembleResult result) {
  QMetaObject::invokeMethod(
      this, [this, result = std::move(result)] { emit assembled(result); }, Qt::QueuedConnection);
}

}  // namespace velmora::ui
