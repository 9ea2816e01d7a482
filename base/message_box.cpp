// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_box.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace velmora::ui {

namespace {

QWidget* FinestraPrincipale(const Ambiente& ambiente) {
  for (const auto& editor : ambiente.daOscurare)
    if (editor) return editor->window();
  return QApplication::activeWindow();
}

// Dims an editor's background to RGB(70,70,70) and gives its own palette back
// when it goes out of scope, whatever colour the user had chosen meanwhile.
class Oscuramento {
 public:
  explicit Oscuramento(QPlainTextEdit* editor) : editor_(editor) {
    if (!editor_) return;
    salvata_ = editor_->palette();
    QPalette scura = salvata_;
    scura.setColor(QPalette::Base, QColor(70, 70, 70));
    editor_->setPalette(scura);
  }
  ~Oscuramento() {
    if (editor_) editor_->setPalette(salvata_);
  }
  Oscuramento(const Oscuramento&) = delete;
  Oscuramento& operator=(const Oscuramento&) = delete;

 private:
  QPointer<QPlainTextEdit> editor_;
  QPalette salvata_;
};

}  // namespace

QString TitoloMessaggi() { return QStringLiteral("Velmora Message"); }

void MostraMessaggio(const Ambiente& ambiente, const QString& text) {
  if (ambiente.messaggio) {
    ambiente.messaggio(text);
    return;
  }
  std::vector<std::unique_ptr<Oscuramento>> oscurati;
  for (const auto& editor : ambiente.daOscurare) oscurati.push_back(std::make_unique<Oscuramento>(editor));
  MessageBox box(text, FinestraPrincipale(ambiente));
  if (ambiente.allaComparsa) {
    // The test drives the box from inside its own event loop.
    QTimer::singleShot(0, &box, [&box, &ambiente] { ambiente.allaComparsa(box); });
  }
  box.exec();
}

void Avvisa(const Ambiente& ambiente, const QString& title, const QString& text) {
  if (ambiente.avviso) {
    ambiente.avviso(title, text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, FinestraPrincipale(ambiente));
  if (ambiente.allaComparsa) QTimer::singleShot(0, &box, [&box, &ambiente] { ambiente.allaComparsa(box); });
  box.exec();
}

bool ChiediSiNo(const Ambiente& ambiente, const QString& text, const QString& title) {
  const QString titolo = title.isEmpty() ? TitoloMessaggi() : title;
  if (ambiente.domanda) return ambiente.domanda(titolo, text);
  return QMessageBox::question(FinestraPrincipale(ambiente), titolo, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

QString ChiediTesto(const Ambiente& ambiente, const QString& prompt, const QString& title,
                    const QString& defaultText) {
  if (ambiente.input) return ambiente.input(prompt, title, defaultText);
  bool ok = false;
  const QString testo = QInputDialog::getText(FinestraPrincipale(ambiente), title, prompt, QLineEdit::Normal,
                                              defaultText, &ok);
  return ok ? testo : QString();
}

MessageBox::MessageBox(const QString& text, QWidget* parent) : QDialog(parent) {
  createControls(text);
  createLayout();
}

void MessageBox::createControls(const QString& text) {
  setWindowTitle(TitoloMessaggi());
  setModal(true);
  setMouseTracking(true);

  text1_ = new QPlainTextEdit(this);
  text1_->setReadOnly(true);
  QString righe = text;
  righe.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text1_->setPlainText(righe);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setMouseTracking(true);
  text1_->viewport()->setMouseTracking(true);
  text1_->installEventFilter(this);
  text1_->viewport()->installEventFilter(this);

  command1_ = new QPushButton(QStringLiteral("OK"), this);
  command1_->setDefault(true);
  command1_->setMouseTracking(true);
  command1_->installEventFilter(this);
  connect(command1_, &QPushButton::clicked, this, &QDialog::accept);

  timer1_ = new QTimer(this);
  timer1_->setInterval(1000);
  connect(timer1_, &QTimer::timeout, this, &MessageBox::Tick);
  timer1_->start();
  conteggio_ = 0;
}

void MessageBox::createLayout() {
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch();
  pulsanti->addWidget(command1_);
  pulsanti->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_);
  layout->addLayout(pulsanti);

  // Wide enough for the report's longest line, never beyond the screen.
  const QFontMetrics metriche(text1_->font());
  int larghezza = 360;
  const QStringList righe = text1_->toPlainText().split(QLatin1Char('\n'));
  for (const QString& riga : righe) larghezza = qMax(larghezza, metriche.horizontalAdvance(riga) + 60);
  int altezza = metriche.lineSpacing() * (static_cast<int>(righe.size()) + 2) + 80;
  altezza = qMax(altezza, 200);
  if (const QScreen* schermo = screen()) {
    const QRect area = schermo->availableGeometry();
    larghezza = qMin(larghezza, area.width() * 9 / 10);
    altezza = qMin(altezza, area.height() * 9 / 10);
  }
  resize(larghezza, altezza);
}

void MessageBox::Tick() {
  ++conteggio_;
  if (conteggio_ >= kTickChiusura) {
    timer1_->stop();
    accept();
  }
}

void MessageBox::MovimentoMouse() { conteggio_ = 0; }

QString MessageBox::Testo() const { return text1_->toPlainText(); }

bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove) MovimentoMouse();
  return QDialog::eventFilter(watched, event);
}

void MessageBox::mouseMoveEvent(QMouseEvent* event) {
  MovimentoMouse();
  QDialog::mouseMoveEvent(event);
}

}  // namespace velmora::ui
