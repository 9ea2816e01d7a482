// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own message box and its Yes/No and one-line input questions.
//
// MostraMessaggio shows any text (reports, errors, window messages) in a modal
// box with an "OK" button that closes itself after 15 seconds without mouse
// movement over it; while it is open the main window's two editors are dimmed.
// Every function takes the environment: a test answers in place of the user.
#pragma once

#include <QDialog>
#include <QString>

#include "environment.h"

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace velmora::ui {

// The program's message box: modal, multi-line text, "OK", closes itself after
// 15 s without mouse movement over it; dims the environment's editors while open.
void MostraMessaggio(const Ambiente& ambiente, const QString& text);

// A plain OK box with a title of its own, which stays until the user closes it.
void Avvisa(const Ambiente& ambiente, const QString& title, const QString& text);

// Yes/No question (title "Velmora Message" unless given); true for Yes.
bool ChiediSiNo(const Ambiente& ambiente, const QString& text, const QString& title = QString());

// One-line input box; returns the text (empty when cancelled).
QString ChiediTesto(const Ambiente& ambiente, const QString& prompt, const QString& title,
                    const QString& defaultText);

// The title of every Yes/No question: "Velmora Message".
QString TitoloMessaggi();

// The message box itself: `Text1` shows the text, `Command1` "OK" closes it and
// `Timer1` ticks every second; 15 ticks without mouse movement over the box
// close it.
class MessageBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTickChiusura = 15;

  explicit MessageBox(const QString& text, QWidget* parent = nullptr);

  // One tick of Timer1: counts up and closes the box at the 15th.
  void Tick();
  // Mouse movement over the box or its text: the count starts again from 0.
  void MovimentoMouse();
  int Conteggio() const { return conteggio_; }
  QString Testo() const;
  QPushButton* PulsanteOk() const { return command1_; }
  QTimer* Timer() const { return timer1_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void createControls(const QString& text);
  void createLayout();

  QPlainTextEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QTimer* timer1_ = nullptr;
  int conteggio_ = 0;
};

}  // namespace velmora::ui
