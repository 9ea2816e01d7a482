#include "recovery_store.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace velmora::editor {

namespace {

const QByteArray kFirstLine = "VELMORA-RECUPERO 1";

}  // namespace

RecoveryStore::RecoveryStore(const QString& dataFolder, std::function<QString()> currentText, QObject* parent)
    : QObject(parent),
      folder_(dataFolder),
      currentText_(std::move(currentText)),
      clock_([] { return QDateTime::currentDateTime(); }) {
  pending_ = Read(path());
  if (!pending_) pending_ = Read(declinedPath());
  timer_.setInterval(kDefaultIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (!modified_) return;
    const bool failedBefore = failing_;
    failing_ = !writeNow();
    if (failing_ && !failedBefore) emit writeFailed(error_);
  });
}

QString RecoveryStore::path() const { return QDir(folder_).filePath(FileName()); }
QString RecoveryStore::declinedPath() const { return QDir(folder_).filePath(DeclinedFileName()); }

void RecoveryStore::declinePending() {
  if (!pending_) return;
  pending_.reset();
  // Set it aside, so this session's own copies do not overwrite it.
  if (!QFile::exists(path())) return;
  QFile::remove(declinedPath());
  QFile::rename(path(), declinedPath());
}

void RecoveryStore::setModified(bool modified) {
  modified_ = modified;
  if (!modified) {
    timer_.stop();
  } else if (!timer_.isActive()) {
    timer_.start();
  }
}

bool RecoveryStore::writeNow() {
  if (!QDir().mkpath(folder_)) {
    error_ = QStringLiteral("Impossibile creare la cartella %1").arg(folder_);
    return false;
  }
  const QDateTime now = clock_();
  QByteArray data = kFirstLine + '\n';
  data += "scritto=" + now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toUtf8() + '\n';
  data += "file=" + originalPath_.toUtf8() + '\n';
  data += '\n';
  data += currentText_().toUtf8();
  QSaveFile file(path());
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
    error_ = QStringLiteral("Impossibile scrivere la copia di recupero %1: %2").arg(path(), file.errorString());
    return false;
  }
  error_.clear();
  return true;
}

void RecoveryStore::saved() {
  setModified(false);
  QFile::remove(path());
  QFile::remove(declinedPath());
}

void RecoveryStore::closedNormally() {
  setModified(false);
  QFile::remove(path());
}

std::optional<RecoveryCopy> RecoveryStore::Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray data = file.readAll();
  const qsizetype headerEnd = data.indexOf("\n\n");
  if (headerEnd < 0) return std::nullopt;
  const QList<QByteArray> header = data.left(headerEnd).split('\n');
  if (header.isEmpty() || header.first() != kFirstLine) return std::nullopt;
  RecoveryCopy copy;
  for (const QByteArray& line : header) {
    if (line.startsWith("scritto=")) copy.written = QDateTime::fromString(QString::fromUtf8(line.mid(8)), Qt::ISODate);
    if (line.startsWith("file=")) copy.originalPath = QString::fromUtf8(line.mid(5));
  }
  if (!copy.written.isValid()) return std::nullopt;
  copy.text = QString::fromUtf8(data.mid(headerEnd + 2));
  return copy;
}

QString RecoveryQuestion(const RecoveryCopy& copy) {
  const QDateTime local = copy.written.toLocalTime();
  const QString of = copy.originalPath.isEmpty()
                         ? QStringLiteral("di un programma nuovo, ancora senza nome")
                         : QStringLiteral("del file %1").arg(copy.originalPath);
  return QStringLiteral("È stata trovata una copia di recupero %1, scritta il %2 alle %3, con modifiche non salvate.\r\n"
                        "Ripristinarla?\r\n"
                        "(Rispondendo No la copia resta conservata fino al prossimo salvataggio.)")
      .arg(of, local.toString(QStringLiteral("dd/MM/yyyy")), local.toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace velmora::editor
