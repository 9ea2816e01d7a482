// SPDX-License-Identifier: GPL-3.0-or-later
// Find and Replace under a plain-text editor.
//
// The bar attaches to an editor: Ctrl+F opens it for finding, Ctrl+H with
// the replace row, F3 / Shift+F3 find the next / previous match, Esc closes
// it and gives the focus back to the editor. Searches wrap around the text;
// "Sostituisci tutto" is one undo step. The keys are caught on the editor
// and on the bar, so they work whatever window holds them.
#pragma once

#include <QTextDocument>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora::editor {

class FindReplaceBar : public QWidget {
  Q_OBJECT

 public:
  // The bar starts hidden; the owner puts it in a layout under the editor.
  explicit FindReplaceBar(QPlainTextEdit* editor, QWidget* parent = nullptr);

  void showFind();
  void showReplace();
  void close();

  void setFindText(const QString& text);
  void setReplaceText(const QString& text);
  void setMatchCase(bool on);

  // Each selects the match and returns whether one was found.
  bool findNext();
  bool findPrevious();
  // Replaces the selected match (if the selection is one) and finds the next.
  bool replace();
  // Replaces every match; returns how many.
  int replaceAll();

  QString status() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool find(QTextDocument::FindFlags direction);
  QTextDocument::FindFlags flags() const;
  bool selectionMatches() const;
  bool handleKey(QKeyEvent* key);

  QPlainTextEdit* editor_;
  QLineEdit* findText_;
  QLineEdit* replaceText_;
  QCheckBox* matchCase_;
  QWidget* replaceRow_;
  QLabel* status_;
};

}  // namespace velmora::editor
