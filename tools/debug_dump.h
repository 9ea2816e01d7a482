// SPDX-License-Identifier: GPL-3.0-or-later
// The debug window: the compile-state tables after a translation.
//
// Reached by the main window's "Test" button in debug mode. It lists the
// variable table, the subroutine table and every program line as the last
// translation left them, then the main window's text-modified flag.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace velmora {
struct CompileState;
}

namespace velmora::tools {

// The dump text, lines joined by CR LF: "---FAT Table ---" and the FAT rows,
// "---ArraySUB---" and the subroutine rows, the program lines, the flag.
QString TestoDump(const velmora::CompileState& st, int flagTestoModificato);

class DebugDump : public QDialog {
  Q_OBJECT
 public:
  DebugDump(const velmora::CompileState& st, int flagTestoModificato, QWidget* parent = nullptr);

  QString Testo() const;

 private:
  void createControls();
  void createLayout();

  QPlainTextEdit* text1_ = nullptr;
};

}  // namespace velmora::tools
