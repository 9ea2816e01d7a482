// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy of the BASIC text: nothing lost on a crash, kill or
// power cut.
//
// While the text has unsaved changes the store writes it every 30 seconds
// (atomically, through QSaveFile) into the data folder, with the time it was
// written and the path of the file it belongs to. A save or a normal close
// removes it. A copy found at start belongs to a process that did not end
// normally: pending() reports it; the owner offers to restore it. A declined
// copy is set aside (not overwritten by this session's copies) and removed
// by the next save.
//
// File layout: a first line "VELMORA-RECUPERO 1", then "scritto=" and the
// time in ISO 8601 with its offset, "file=" and the original path (empty for
// a program never saved), an empty line, and the text exactly as it was.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace velmora::editor {

struct RecoveryCopy {
  QString text;
  QDateTime written;
  QString originalPath;
};

class RecoveryStore : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDefaultIntervalMs = 30000;
  static QString FileName() { return QStringLiteral("recupero-basic.txt"); }
  static QString DeclinedFileName() { return QStringLiteral("recupero-basic-rifiutato.txt"); }

  // Reads a copy left in `dataFolder` (see pending()); the folder is created
  // when the first copy is written. `currentText` is asked for the text at
  // each write.
  RecoveryStore(const QString& dataFolder, std::function<QString()> currentText, QObject* parent = nullptr);

  // The copy found at construction, if any (the newest of the two files).
  const std::optional<RecoveryCopy>& pending() const { return pending_; }
  // The user does not restore it: it is kept aside until the next save.
  void declinePending();
  // The user restored it: the copy stays until this session saves or closes.
  void acceptPending() { pending_.reset(); }

  // Unsaved changes start the periodic write, none stop it.
  void setModified(bool modified);
  bool isModified() const { return modified_; }
  void setOriginalPath(const QString& path) { originalPath_ = path; }
  void setInterval(int ms) { timer_.setInterval(ms); }
  // The clock that stamps the copies (tests fix it).
  void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

  // Writes the copy now; false with errorString() on failure.
  bool writeNow();
  QString errorString() const { return error_; }

  // The text was saved: every copy goes, a declined one too.
  void saved();
  // The program closes normally (after its unsaved-changes question): this
  // session's copy goes; a declined one waits for a save.
  void closedNormally();

  QString path() const;
  QString declinedPath() const;

  // Reads a copy file; nothing when it is missing or not a recovery copy.
  static std::optional<RecoveryCopy> Read(const QString& path);

 signals:
  // A periodic write failed (disk full, folder not writable); once, until a
  // write succeeds again, so the owner can tell the user without repeating
  // it every interval.
  void writeFailed(const QString& message);

 private:
  QString folder_;
  std::function<QString()> currentText_;
  std::function<QDateTime()> clock_;
  std::optional<RecoveryCopy> pending_;
  QString originalPath_;
  QString error_;
  bool modified_ = false;
  bool failing_ = false;  // the last periodic write failed
  QTimer timer_;
};

// The restore question for a copy: "È stato trovato un testo non salvato ..."
// with the time it was written (Italian date and time) and the file it
// belongs to.
QString RecoveryQuestion(const RecoveryCopy& copy);

}  // namespace velmora::editor
