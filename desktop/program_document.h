// SPDX-License-Identifier: GPL-3.0-or-later
// The program being edited, without widgets: the current file, whether the
// text changed since it was loaded, saved or cleared, the last translation
// and which version of the text it was made from.
//
// Every change of the BASIC text (typing, Apri, Clear, a restored copy)
// moves the revision on. Whatever was built from the text (the assembly
// pane's translation, the program on the bench) carries the revision it
// was built from, so "is this still the program in the editor?" is one
// comparison.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "translator.h"

namespace velmora::ui {

class ProgramDocument : public QObject {
  Q_OBJECT
 public:
  explicit ProgramDocument(QObject* parent = nullptr) : QObject(parent) {}

  // The current file (`FileCorrente`), empty when none. A reference: the
  // file dialog's flows propose it and put the chosen path back.
  QString& file() { return file_; }
  const QString& file() const { return file_; }

  // 1 when the text changed since it was last loaded, saved or cleared.
  int changed() const { return changed_; }
  void setChanged(int changed) { changed_ = changed; }

  // The text changed: a new revision, and `textChanged` for whoever built
  // something from the old one.
  void touch() {
    ++revision_;
    emit textChanged(revision_);
  }
  std::uint64_t revision() const { return revision_; }

  // The last translation and the revision it was made from.
  void setTranslation(TranslationResult result) {
    translation_ = std::move(result);
    translatedRevision_ = revision_;
    emit translated(translatedRevision_);
  }
  const TranslationResult& translation() const { return translation_; }
  // The last translation succeeded and belongs to the text as it is now.
  bool translationCurrent() const { return translation_.ok && translatedRevision_ == revision_; }

 signals:
  void textChanged(std::uint64_t revision);
  void translated(std::uint64_t revision);

 private:
  QString file_;
  int changed_ = 0;
  std::uint64_t revision_ = 1;
  TranslationResult translation_;
  std::uint64_t translatedRevision_ = 0;
};

}  // namespace velmora::ui
