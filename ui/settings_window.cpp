// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>


#include "colour_chooser.h"

namespace velmora::ui {

namespace {

// A colour as exactly six hexadecimal digits.
QString SeiCifre(qint32 colore) { return TestoEsadecimale(colore).rightJustified(6, QLatin1Char('0')).right(6); }
QString SeiCifre(const QString& testo) { return (QStringLiteral("000000") + testo).right(6); }

// A colour field as typed: hexadecimal digits of either case.
bool LeggiColore(const QString& testo, qint32& colore) {
  bool ok = false;
  const uint valore = testo.trimmed().toUInt(&ok, 16);
  if (ok) colore = static_cast<qint32>(valore);
  return ok;
}

}  // namespace

SettingsWindow::SettingsWindow(const Impostazioni& valori, QWidget* parent) : QDialog(parent), valori_(valori) {
  createControls();
  createLayout();
  createConnections();
  riempi();
}

void SettingsWindow::createControls() {
  setWindowTitle(QStringLiteral("Gestione parametri"));
  setObjectName(QStringLiteral("Form3"));
  for (int i = 0; i < 6; ++i) {
    text1_[i] = new QLineEdit(this);
    text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    text1_[i]->installEventFilter(this);
  }
  for (int i = 0; i < 2; ++i) {
    check1_[i] = new QCheckBox(this);
    check1_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
  }
  command1_ = new QPushButton(QStringLiteral("reset"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  // Enter belongs to the fields: it must never press "reset".
  command1_->setAutoDefault(false);
  command1_->setDefault(false);
}

void SettingsWindow::createLayout() {
  auto* griglia = new QGridLayout;
  auto intestazione = [this](const QString& testo) {
    auto* label = new QLabel(testo, this);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
  };
  griglia->addWidget(intestazione(QStringLiteral("Basic")), 0, 1, Qt::AlignCenter);
  griglia->addWidget(intestazione(QStringLiteral("Assembly")), 0, 2, Qt::AlignCenter);
  const QString righe[] = {QStringLiteral("Colore Carattere"), QStringLiteral("Colore Sfondo"),
                           QStringLiteral("Dimensione Carattere"), QStringLiteral("Carattere in Grassetto")};
  for (int r = 0; r < 4; ++r) griglia->addWidget(new QLabel(righe[r], this), r + 1, 0);
  for (int r = 0; r < 3; ++r) {
    griglia->addWidget(text1_[2 * r], r + 1, 1);
    griglia->addWidget(text1_[2 * r + 1], r + 1, 2);
  }
  griglia->addWidget(check1_[0], 4, 1, Qt::AlignCenter);
  griglia->addWidget(check1_[1], 4, 2, Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(griglia);
  layout->addWidget(command1_, 0, Qt::AlignRight);
}

void SettingsWindow::createConnections() {
  for (int i = 0; i < 6; ++i)
    connect(text1_[i], &QLineEdit::returnPressed, this, [this, i] { InvioNelCampo(i); });
  for (QCheckBox* c : check1_) connect(c, &QCheckBox::clicked, this, &SettingsWindow::ClicGrassetto);
  connect(command1_, &QPushButton::clicked, this, &SettingsWindow::Reset);
}

void SettingsWindow::riempi() {
  text1_[0]->setText(SeiCifre(valori_.ColoreCarattereBasic));
  text1_[1]->setText(SeiCifre(valori_.ColoreCarattereASM));
  text1_[2]->setText(SeiCifre(valori_.ColoreSfondoBasic));
  text1_[3]->setText(SeiCifre(valori_.ColoreSfondoASM));
  // The sizes as the settings file writes them (" 14.25").
  text1_[4]->setText(TestoNumero(static_cast<double>(valori_.FontSizeBasic)));
  text1_[5]->setText(TestoNumero(static_cast<double>(valori_.FontSizeASM)));
  check1_[0]->setChecked(valori_.FontBoldBasic == 1);
  check1_[1]->setChecked(valori_.FontBoldASM == 1);
  modificato_ = false;
}

// Enter in a field: colours read as hexadecimal, sizes as decimal; a text that
// does not read leaves the value as it was.
void SettingsWindow::InvioNelCampo(int indice) {
  if (indice < 0 || indice > 5) return;
  const QString testo = text1_[indice]->text();
  qint32* colori[] = {&valori_.ColoreCarattereBasic, &valori_.ColoreCarattereASM, &valori_.ColoreSfondoBasic,
                      &valori_.ColoreSfondoASM};
  if (indice < 4) {
    LeggiColore(testo, *colori[indice]);
  } else {
    bool ok = false;
    const float size = QLocale::c().toFloat(testo.trimmed(), &ok);
    if (ok && size > 0) (indice == 4 ? valori_.FontSizeBasic : valori_.FontSizeASM) = size;
  }
  modificato_ = true;
  emit Anteprima(valori_);
}

void SettingsWindow::DoppioClicColore(int indice) {
  if (indice < 0 || indice > 3) return;
  const bool assembly = indice == 1 || indice == 3;
  QLineEdit* campoCarattere = text1_[assembly ? 1 : 0];
  QLineEdit* campoSfondo = text1_[assembly ? 3 : 2];
  QString hexCarattere = SeiCifre(campoCarattere->text());
  QString hexSfondo = SeiCifre(campoSfondo->text());
  ColourChooser chooser(hexCarattere, hexSfondo, this);
  if (chooser.exec() != QDialog::Accepted) return;
  hexCarattere = chooser.HexCarattere();
  hexSfondo = chooser.HexSfondo();
  if (hexCarattere.isEmpty() || hexSfondo.isEmpty()) return;
  qint32& carattere = assembly ? valori_.ColoreCarattereASM : valori_.ColoreCarattereBasic;
  qint32& sfondo = assembly ? valori_.ColoreSfondoASM : valori_.ColoreSfondoBasic;
  LeggiColore(hexCarattere, carattere);
  LeggiColore(hexSfondo, sfondo);
  campoCarattere->setText(hexCarattere);
  campoSfondo->setText(hexSfondo);
  modificato_ = true;
  emit Anteprima(valori_);
}

void SettingsWindow::ClicGrassetto() {
  valori_.FontBoldBasic = check1_[0]->isChecked() ? 1 : 0;
  valori_.FontBoldASM = check1_[1]->isChecked() ? 1 : 0;
  emit Anteprima(valori_);
}

void SettingsWindow::Reset() {
  valori_.ColoreSfondoBasic = InteroDaColore(QColor(192, 255, 255));
  valori_.ColoreCarattereBasic = 0;
  valori_.FontBoldBasic = 0;
  valori_.FontSizeBasic = 10;
  valori_.ColoreSfondoASM = InteroDaColore(QColor(224, 224, 224));
  valori_.ColoreCarattereASM = 0;
  valori_.FontBoldASM = 0;
  valori_.FontSizeASM = 10;
  riempi();
  modificato_ = true;
  emit Anteprima(valori_);
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (int i = 0; i < 4; ++i) {
      if (watched != text1_[i]) continue;
      DoppioClicColore(i);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmora::ui
