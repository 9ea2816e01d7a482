// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour_chooser.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QVBoxLayout>

namespace velmora::ui {

namespace {

// Background of the colour field the palette writes into.
const QColor kEvidenziato(255, 255, 128);

/// The palette: hues from left to right, from white at the top through the
/// full colour to black; under them a strip of greys from black to white.
QImage DisegnaTavolozza() {
  constexpr int kLarghezza = ColourChooser::kLarghezzaTavolozza;
  constexpr int kAltezza = ColourChooser::kAltezzaTavolozza;
  constexpr int kSfumature = 160;
  QImage immagine(kLarghezza, kAltezza, QImage::Format_RGB32);
  for (int y = 0; y < kAltezza; ++y) {
    for (int x = 0; x < kLarghezza; ++x) {
      const QColor colore =
          y < kSfumature
              ? QColor::fromHsl(x * 360 / kLarghezza, 255, 255 - y * 255 / (kSfumature - 1))
              : QColor(x * 255 / (kLarghezza - 1), x * 255 / (kLarghezza - 1), x * 255 / (kLarghezza - 1));
      immagine.setPixelColor(x, y, colore);
    }
  }
  return immagine;
}

/// Two upper-case hex digits of a bar value.
QString DueCifre(int valore) {
  return QStringLiteral("%1").arg(valore, 2, 16, QLatin1Char('0')).toUpper();
}

/// Value of a pair of hex digits, read up to the first character that is not
/// a hex digit ("1Z" is 1, "Z1" is 0).
int ValoreCoppia(const QString& coppia) {
  int valore = 0;
  for (const QChar c : coppia) {
    const int cifra = static_cast<int>(QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper()));
    if (cifra < 0) break;
    valore = valore * 16 + cifra;
  }
  return valore;
}

/// The last 6 characters of "000000" + text.
QString SeiCifre(const QString& testo) { return (QStringLiteral("000000") + testo).right(6); }

}  // namespace

ColourChooser::ColourChooser(const QString& hexCarattere, const QString& hexSfondo, QWidget* parent)
    : QDialog(parent), hexCarattere_(hexCarattere), hexSfondo_(hexSfondo) {
  createControls();
  createLayout();
  createConnections();
  apriConValori();
}

void ColourChooser::createControls() {
  setWindowTitle(QStringLiteral("Selezione colore"));
  setModal(true);

  const QString titoli[2] = {QStringLiteral("Colore carattere"), QStringLiteral("Colore sfondo")};
  const QString nomi[2] = {QStringLiteral("Carattere"), QStringLiteral("Sfondo")};
  for (int quale = 0; quale < 2; ++quale) {
    Colore& c = colori_[quale];
    c.frame = new QGroupBox(titoli[quale], this);
    c.frame->setObjectName(QStringLiteral("Frame%1").arg(quale + 1));
    c.testo = new QLineEdit(c.frame);
    c.testo->setObjectName(QStringLiteral("RGB") + nomi[quale]);
    c.testo->setMaxLength(32);
    c.testo->installEventFilter(this);
    for (int i = 0; i < 3; ++i) {
      c.barre[i] = new QScrollBar(Qt::Horizontal, c.frame);
      c.barre[i]->setObjectName(QStringLiteral("Colore") + nomi[quale] + QString::number(i));
      c.barre[i]->setRange(0, 255);
      c.barre[i]->setPageStep(16);
      c.barre[i]->setMinimumWidth(160);
    }
    c.random = new QPushButton(QStringLiteral("RANDOM"), c.frame);
    c.random->setObjectName(QStringLiteral("Random") + nomi[quale]);
    c.random->setAutoDefault(false);
  }

  picture1_ = new QLabel(this);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->setPixmap(QPixmap::fromImage(DisegnaTavolozza()));
  picture1_->setFixedSize(kLarghezzaTavolozza, kAltezzaTavolozza);
  picture1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture1_->setCursor(Qt::CrossCursor);
  picture1_->installEventFilter(this);

  label1_ = new QLabel(QStringLiteral("Prova di Colore"), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setAutoFillBackground(true);
  label1_->setMinimumHeight(48);
  QFont grande = label1_->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.6);
  label1_->setFont(grande);

  // Enter confirms a colour field, never the dialog.
  btnOk_ = new QPushButton(QStringLiteral("OK"), this);
  btnOk_->setObjectName(QStringLiteral("BTNOK"));
  btnOk_->setAutoDefault(false);
  btnAnnulla_ = new QPushButton(QStringLiteral("ANNULLA"), this);
  btnAnnulla_->setObjectName(QStringLiteral("BTNAnnulla"));
  btnAnnulla_->setAutoDefault(false);
}

void ColourChooser::createLayout() {
  const QString lettere[3] = {QStringLiteral("B"), QStringLiteral("G"), QStringLiteral("R")};
  auto* gruppi = new QVBoxLayout;
  for (Colore& c : colori_) {
    auto* griglia = new QGridLayout(c.frame);
    griglia->addWidget(c.testo, 0, 0, 1, 2);
    griglia->addWidget(c.random, 0, 2);
    for (int i = 0; i < 3; ++i) {
      griglia->addWidget(new QLabel(lettere[i], c.frame), i + 1, 0);
      griglia->addWidget(c.barre[i], i + 1, 1, 1, 2);
    }
    gruppi->addWidget(c.frame);
  }

  auto* destra = new QVBoxLayout;
  destra->addWidget(picture1_, 0, Qt::AlignHCenter);
  destra->addStretch();

  auto* sopra = new QHBoxLayout;
  sopra->addLayout(gruppi, 1);
  sopra->addLayout(destra);

  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch();
  pulsanti->addWidget(btnOk_);
  pulsanti->addWidget(btnAnnulla_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sopra);
  layout->addWidget(label1_);
  layout->addLayout(pulsanti);
}

void ColourChooser::createConnections() {
  for (int quale = 0; quale < 2; ++quale) {
    for (QScrollBar* barra : colori_[quale].barre)
      connect(barra, &QScrollBar::valueChanged, this, [this, quale] { aggiornaDaBarre(quale); });
    connect(colori_[quale].testo, &QLineEdit::returnPressed, this, [this, quale] { applicaTesto(quale); });
    connect(colori_[quale].random, &QPushButton::clicked, this, [this, quale] { coloreCasuale(quale); });
  }
  connect(btnOk_, &QPushButton::clicked, this, &ColourChooser::conferma);
  connect(btnAnnulla_, &QPushButton::clicked, this, &ColourChooser::reject);
}

// Open: the caller's pair when both texts are given, otherwise two random
// colours; the bar changes made while filling update nothing until the end.
void ColourChooser::apriConValori() {
  pronto_ = false;
  if (!hexCarattere_.isEmpty() && !hexSfondo_.isEmpty()) {
    colori_[0].testo->setText(SeiCifre(hexCarattere_));
    colori_[1].testo->setText(SeiCifre(hexSfondo_));
    applicaTesto(0);
    applicaTesto(1);
  } else {
    coloreCasuale(1);
    coloreCasuale(0);
  }
  pronto_ = true;
  aggiornaDaBarre(0);
  aggiornaDaBarre(1);
  impostaBersaglio(0);
}

// Bars to text: BBGGRR from bars 0, 1, 2; the sample takes the colour.
void ColourChooser::aggiornaDaBarre(int quale) {
  if (!pronto_) return;
  const Colore& c = colori_[quale];
  const int blu = c.barre[0]->value(), verde = c.barre[1]->value(), rosso = c.barre[2]->value();
  c.testo->setText(DueCifre(blu) + DueCifre(verde) + DueCifre(rosso));
  QPalette campione = label1_->palette();
  campione.setColor(quale == 0 ? QPalette::WindowText : QPalette::Window, QColor(rosso, verde, blu));
  label1_->setPalette(campione);
}

// Text to bars: a text not 6 characters long becomes the last 6 of
// "000000" + text; each pair of digits sets one bar. The field is then
// rewritten from the bars, so it always shows what the bars hold.
void ColourChooser::applicaTesto(int quale) {
  Colore& c = colori_[quale];
  QString testo = c.testo->text();
  if (testo.size() != 6) testo = SeiCifre(testo);
  c.testo->setText(testo);
  for (int i = 0; i < 3; ++i) c.barre[i]->setValue(ValoreCoppia(testo.mid(i * 2, 2)));
  aggiornaDaBarre(quale);
}

void ColourChooser::coloreCasuale(int quale) {
  for (QScrollBar* barra : colori_[quale].barre)
    barra->setValue(qRound(QRandomGenerator::global()->generateDouble() * 255));
  aggiornaDaBarre(quale);
}

void ColourChooser::impostaBersaglio(int quale) {
  bersaglio_ = quale;
  for (int i = 0; i < 2; ++i) {
    QPalette p = colori_[i].testo->palette();
    p.setColor(QPalette::Base, i == quale ? kEvidenziato : palette().color(QPalette::Base));
    colori_[i].testo->setPalette(p);
  }
}

// The palette pixel under the press becomes the target colour, as if its
// six digits had been typed into the target field.
void ColourChooser::prelevaDaTavolozza(const QPoint& posizione) {
  const QImage immagine = picture1_->pixmap().toImage();
  if (!immagine.rect().contains(posizione)) return;
  const QColor colore = immagine.pixelColor(posizione);
  colori_[bersaglio_].testo->setText(DueCifre(colore.blue()) + DueCifre(colore.green()) +
                                     DueCifre(colore.red()));
  applicaTesto(bersaglio_);
}

void ColourChooser::conferma() {
  hexCarattere_ = colori_[0].testo->text();
  hexSfondo_ = colori_[1].testo->text();
  accept();
}

void ColourChooser::reject() {
  hexCarattere_.clear();
  hexSfondo_.clear();
  QDialog::reject();
}

bool ColourChooser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == colori_[0].testo) impostaBersaglio(0);
    if (watched == colori_[1].testo) impostaBersaglio(1);
  }
  if (watched == picture1_) {
    // The picture also gets paint, polish and resize events: only a mouse
    // press is a QMouseEvent here.
    if (event->type() == QEvent::MouseButtonPress) {
      premuto_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      prelevaDaTavolozza(premuto_);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmora::ui
