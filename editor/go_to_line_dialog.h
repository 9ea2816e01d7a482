// SPDX-License-Identifier: GPL-3.0-or-later
// "Vai alla riga": a spin box limited to the editor's line count.
#pragma once

#include <QDialog>

class QSpinBox;

namespace velmora::editor {

class GoToLineDialog : public QDialog {
  Q_OBJECT

 public:
  // `lineCount` is the last line allowed; `current` the proposed one.
  GoToLineDialog(int lineCount, int current, QWidget* parent = nullptr);

  int line() const;

 private:
  QSpinBox* spin_;
};

}  // namespace velmora::editor
