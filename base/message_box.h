// The program's own message box and its Yes/No and one-line input questions.
//
// MostraMessaggio shows any text (reports, errors, window messages) in a modal
// box with an "OK" button that closes itself after 15 seconds without mouse
// movement over it; while it is open the main window's two editors are dimmed.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace velmora::ui {

// The program's message box: modal, multi-line text, "OK", closes itself after
// 15 s without mouse movement over it; dims the main window's editors while open.
void MostraMessaggio(const QString& text);

// Yes/No question (title "Velmora Message" unless given); true for Yes.
bool ChiediSiNo(const QString& text, const QString& title = QString());

// One-line input box; returns the text (empty when cancelled).
QString ChiediTesto(const QString& prompt, const QString& title, const QString& defaultText);

// Test hooks: when set, the three functions above call them instead of showing a window.
struct DialogHooks {
  std::function<void(const QString&)> message;
  std::function<bool(const QString& title, const QString& text)> question;
  std::function<QString(const QString& prompt, const QString& title, const QString& def)> input;
};
DialogHooks& Hooks();

// The title of every Yes/No question: "Velmora Message".
QString TitoloMessaggi();

// The two editors MostraMessaggio dims while the box is open (the main window
// registers them; either may be null).
void RegistraEditori(QPlainTextEdit* textBasic, QPlainTextEdit* textAsm);

// Called with every box MostraMessaggio is about to show modally; a test can
// use it to drive the box (tick it, move the mouse, press OK) instead of a user.
std::function<void(class MyMsgBox&)>& AllaComparsa();

// The message box itself: `Text1` shows the text, `Command1` "OK" closes it and
// `Timer1` ticks every second; 15 ticks without mouse movement over the box
// close it.
class MyMsgBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTickChiusura = 15;

  explicit MyMsgBox(const QString& text, QWidget* parent = nullptr);

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
