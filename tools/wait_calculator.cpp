// SPDX-License-Identifier: GPL-3.0-or-later
#include "wait_calculator.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

#include "numeric_text.h"

namespace velmora::tools {

namespace {

constexpr int kIndiceMassimo = 255;

bool IndiceValido(long long indice) { return indice >= 1 && indice <= kIndiceMassimo; }

// A field's value as a WAIT index: rounded to the nearest integer.
long long Indice(const QLineEdit* campo) {
  return static_cast<long long>(std::llround(ValoreNumerico(campo->text())));
}

QLineEdit* Campo(QWidget* parent, const char* nome, const QString& testo = QString(),
                 bool risultato = false) {
  auto* campo = new QLineEdit(testo, parent);
  campo->setObjectName(nome);
  campo->setReadOnly(risultato);
  campo->setMaximumWidth(150);
  return campo;
}

// Red marks an index a WAIT statement cannot take (0, or above 255).
void Colora(QLineEdit* campo, bool rosso) {
  QPalette p = campo->palette();
  p.setColor(QPalette::Base, rosso ? QColor(255, 0, 0) : QColor(255, 255, 255));
  campo->setPalette(p);
}

// A row of caption, field and unit; the unit's label (null without one).
QLabel* Riga(QGridLayout* griglia, int riga, QWidget* parent, const QString& didascalia, QWidget* campo,
             const QString& unita = QString()) {
  griglia->addWidget(new QLabel(didascalia, parent), riga, 0);
  griglia->addWidget(campo, riga, 1);
  if (unita.isEmpty()) return nullptr;
  auto* etichetta = new QLabel(unita, parent);
  griglia->addWidget(etichetta, riga, 2);
  return etichetta;
}

// An index field with its scroll bar right beside it.
QHBoxLayout* ConBarra(QWidget* campo, QScrollBar* barra) {
  auto* riga = new QHBoxLayout;
  riga->setSpacing(2);
  riga->addWidget(campo);
  riga->addWidget(barra);
  riga->addStretch();
  return riga;
}

}  // namespace

double PausaWaitNp(double mhz, int np) { return (4.0 * np + 1.0) * 4.0 / mhz; }

double PausaWaitNpNs(double mhz, int np, int ns) {
  const long long cicli = 4LL * np * (ns + 1LL) + 1LL;
  return static_cast<double>(cicli) * 4.0 / mhz;
}

WaitCalculator::WaitCalculator(QWidget* parent) : QWidget(parent) {
  createControls();
  createLayout();
  connectSignals();
  CalcolaWaitNp();
  CalcolaWaitNpNs();
  LeggiGeneratore();
}

void WaitCalculator::createControls() {
  setWindowTitle(QStringLiteral("Controllo dell'istruzione wait"));

  text6_ = Campo(this, "Text6", QStringLiteral("4.0"));
  text7_ = Campo(this, "Text7", QStringLiteral("128"));
  text8_ = Campo(this, "Text8", QString(), true);
  text9_ = Campo(this, "Text9", QStringLiteral("4.0"));
  text10_ = Campo(this, "Text10", QStringLiteral("128"));
  text11_ = Campo(this, "Text11", QStringLiteral("128"));
  text12_ = Campo(this, "Text12", QString(), true);

  text1_ = Campo(this, "Text1", QStringLiteral("440"));
  text2_ = Campo(this, "Text2", QStringLiteral("4.0"));
  text3_ = Campo(this, "Text3", QStringLiteral("15"));
  text4_ = Campo(this, "Text4", QStringLiteral("15"));
  text13_ = Campo(this, "Text13", QString(), true);
  text5_ = Campo(this, "Text5", QString(), true);
  text13_->setMaximumWidth(220);
  text5_->setMaximumWidth(220);

  vscroll1_ = new QScrollBar(Qt::Vertical, this);
  vscroll1_->setObjectName("VScroll1");
  vscroll2_ = new QScrollBar(Qt::Vertical, this);
  vscroll2_->setObjectName("VScroll2");
  for (QScrollBar* barra : {vscroll1_, vscroll2_}) {
    barra->setRange(1, kIndiceMassimo);
    barra->setInvertedAppearance(true);  // up raises the index
    barra->setInvertedControls(true);
    barra->setFixedHeight(48);
    barra->setValue(15);
  }
  label7_ = new QLabel(QStringLiteral("Indice secondario Ns"), this);
  label7_->setObjectName("Label7");

  check1_ = new QCheckBox(QStringLiteral("Wait Np"), this);
  check1_->setObjectName("Check1");
  check2_ = new QCheckBox(QStringLiteral("Wait Np,Ns"), this);
  check2_->setObjectName("Check2");
  check2_->setChecked(true);
}

void WaitCalculator::createLayout() {
  auto* gruppoNp = new QGroupBox(QStringLiteral("WAIT Np"), this);
  auto* grigliaNp = new QGridLayout(gruppoNp);
  Riga(grigliaNp, 0, this, QStringLiteral("Frequenza PIC"), text6_, QStringLiteral("MHz"));
  Riga(grigliaNp, 1, this, QStringLiteral("Indice Np"), text7_);
  Riga(grigliaNp, 2, this, QStringLiteral("Tempo di pausa"), text8_, QStringLiteral("u-sec"));
  grigliaNp->addWidget(new QLabel(QStringLiteral("Pausa=(4*Np+1)*Tcpu"), this), 3, 0, 1, 3);

  auto* gruppoNpNs = new QGroupBox(QStringLiteral("WAIT Np,Ns"), this);
  auto* grigliaNpNs = new QGridLayout(gruppoNpNs);
  Riga(grigliaNpNs, 0, this, QStringLiteral("Frequenza PIC"), text9_, QStringLiteral("MHz"));
  Riga(grigliaNpNs, 1, this, QStringLiteral("Indice Np"), text10_);
  Riga(grigliaNpNs, 2, this, QStringLiteral("Indice Ns"), text11_);
  Riga(grigliaNpNs, 3, this, QStringLiteral("Tempo di pausa"), text12_, QStringLiteral("u-sec"));
  grigliaNpNs->addWidget(new QLabel(QStringLiteral("Pausa=[4*Np*(Ns+1)+1]*Tcpu"), this), 4, 0, 1, 3);

  auto* gruppoGen = new QGroupBox(QStringLiteral("Generatore di onda quadra (linea invertita dopo ogni WAIT)"), this);
  auto* grigliaGen = new QGridLayout(gruppoGen);
  Riga(grigliaGen, 0, this, QStringLiteral("Frequenza da generare"), text1_, QStringLiteral("Hz"));
  Riga(grigliaGen, 1, this, QStringLiteral("Frequenza quarzo PIC"), text2_, QStringLiteral("MHz"));
  grigliaGen->addWidget(new QLabel(QStringLiteral("Indice primario Np"), this), 2, 0);
  grigliaGen->addLayout(ConBarra(text3_, vscroll1_), 2, 1);
  grigliaGen->addWidget(label7_, 3, 0);
  grigliaGen->addLayout(ConBarra(text4_, vscroll2_), 3, 1);
  unitaGenerata_ = Riga(grigliaGen, 4, this, QStringLiteral("Frequenza generata"), text13_, QStringLiteral("Hz"));
  unitaGenerata_->setObjectName("UnitaGenerata");
  Riga(grigliaGen, 5, this, QStringLiteral("Errore di approssim."), text5_, QStringLiteral("%"));
  auto* scelta = new QHBoxLayout;
  scelta->addWidget(check1_);
  scelta->addWidget(check2_);
  scelta->addStretch();
  grigliaGen->addLayout(scelta, 6, 0, 1, 3);

  auto* sopra = new QHBoxLayout;
  sopra->addWidget(gruppoNp);
  sopra->addWidget(gruppoNpNs);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sopra);
  layout->addWidget(gruppoGen);
}

void WaitCalculator::connectSignals() {
  for (QLineEdit* campo : {text6_, text7_})
    connect(campo, &QLineEdit::textChanged, this, [this](const QString& t) {
      if (!t.isEmpty()) CalcolaWaitNp();
    });
  for (QLineEdit* campo : {text9_, text10_, text11_})
    connect(campo, &QLineEdit::textChanged, this, [this](const QString& t) {
      if (!t.isEmpty()) CalcolaWaitNpNs();
    });
  for (QLineEdit* campo : {text1_, text2_})
    connect(campo, &QLineEdit::textChanged, this, [this](const QString& t) {
      if (!occupato_ && ValoreNumerico(t) > 0) LeggiGeneratore();
    });
  connect(text3_, &QLineEdit::textChanged, this, [this] {
    if (!occupato_) CalcolaDaNp(true);
  });
  connect(text4_, &QLineEdit::textChanged, this, [this] {
    if (!occupato_) CalcolaDaNs();
  });
  connect(vscroll1_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!occupato_) text3_->setText(QString::number(v));
  });
  connect(vscroll2_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!occupato_) text4_->setText(QString::number(v));
  });
  // The two boxes are one choice.
  connect(check1_, &QCheckBox::toggled, this, [this](bool singola) {
    check2_->setChecked(!singola);
    CambioForma(singola);
  });
  connect(check2_, &QCheckBox::clicked, this, [this](bool doppia) { check1_->setChecked(!doppia); });
}

// WAIT Np: the pause in microseconds from the crystal in MHz.
void WaitCalculator::CalcolaWaitNp() {
  const double mhz = ValoreNumerico(text6_->text());
  const long long np = Indice(text7_);
  if (mhz <= 0 || np <= 0) return;
  if (np > kIndiceMassimo) {
    text8_->setText(QStringLiteral("Np oltre 255"));
    return;
  }
  text8_->setText(TestoDecimale(PausaWaitNp(mhz, static_cast<int>(np))));
}

// WAIT Np,Ns: the pause in microseconds.
void WaitCalculator::CalcolaWaitNpNs() {
  const double mhz = ValoreNumerico(text9_->text());
  const long long np = Indice(text10_);
  const long long ns = Indice(text11_);
  if (mhz <= 0 || np <= 0 || ns <= 0) return;
  if (np > kIndiceMassimo || ns > kIndiceMassimo) {
    text12_->setText(np > kIndiceMassimo ? QStringLiteral("Np oltre 255") : QStringLiteral("Ns oltre 255"));
    return;
  }
  text12_->setText(TestoDecimale(PausaWaitNpNs(mhz, static_cast<int>(np), static_cast<int>(ns))));
}

// Takes the wanted frequency and the crystal, then repeats the last computation.
void WaitCalculator::LeggiGeneratore() {
  fgen_ = ValoreNumerico(text1_->text());
  const double fq = ValoreNumerico(text2_->text()) * 1000000.0;
  if (fgen_ <= 0 || fq <= 0) return;
  tcpu_ = 4.0 / fq;
  np_ = Indice(text3_);
  ns_ = Indice(text4_);
  if (ultimo_ == Calcolo::DaNs && !check1_->isChecked())
    CalcolaDaNs();
  else
    CalcolaDaNp(false);
}

// Single form: Np from the wanted frequency. Double form: Ns from Np.
// `dalCampo` is true when the user has just written Np: in the single form
// that Np is then kept and only the generated frequency follows it.
void WaitCalculator::CalcolaDaNp(bool dalCampo) {
  if (fgen_ <= 0 || tcpu_ <= 0) return;
  ultimo_ = Calcolo::DaNp;
  const double semiperiodo = 1.0 / (2.0 * fgen_ * tcpu_);
  if (check1_->isChecked()) {
    if (dalCampo) {
      np_ = Indice(text3_);
      Colora(text3_, !IndiceValido(np_));
      SeguiCampo(vscroll1_, np_);
    } else {
      ScriviIndice(text3_, vscroll1_, static_cast<long long>(std::floor((semiperiodo - 1.0) / 4.0)));
    }
    MostraGenerata();
    return;
  }
  np_ = Indice(text3_);
  Colora(text3_, !IndiceValido(np_));
  SeguiCampo(vscroll1_, np_);
  if (np_ <= 0) {
    text13_->setText(QStringLiteral("Np deve valere da 1 a 255"));
    text5_->clear();
    return;
  }
  ScriviIndice(text4_, vscroll2_,
               static_cast<long long>(std::floor((semiperiodo - 1.0) / (4.0 * static_cast<double>(np_)))) - 1);
  MostraGenerata();
}

// Double form: Np from Ns.
void WaitCalculator::CalcolaDaNs() {
  if (fgen_ <= 0 || tcpu_ <= 0 || check1_->isChecked()) return;
  ultimo_ = Calcolo::DaNs;
  const double semiperiodo = 1.0 / (2.0 * fgen_ * tcpu_);
  ns_ = Indice(text4_);
  Colora(text4_, !IndiceValido(ns_));
  SeguiCampo(vscroll2_, ns_);
  if (ns_ < 0) {
    text13_->setText(QStringLiteral("Ns deve valere da 1 a 255"));
    text5_->clear();
    return;
  }
  ScriviIndice(text3_, vscroll1_,
               static_cast<long long>(std::floor((semiperiodo - 1.0) / (4.0 * (static_cast<double>(ns_) + 1.0)))));
  MostraGenerata();
}

// Moves a scroll bar to an index (as far as it goes) without writing the field back.
void WaitCalculator::SeguiCampo(QScrollBar* barra, long long valore) {
  const bool eraOccupato = occupato_;
  occupato_ = true;
  barra->setValue(static_cast<int>(qBound<long long>(1LL, valore, static_cast<long long>(kIndiceMassimo))));
  occupato_ = eraOccupato;
}

// Writes a computed index (a negative one as 0) while the field handlers are held back.
void WaitCalculator::ScriviIndice(QLineEdit* campo, QScrollBar* barra, long long valore) {
  if (valore < 0) valore = 0;
  occupato_ = true;
  campo->setText(QString::number(valore));
  occupato_ = false;
  SeguiCampo(barra, valore);
  Colora(campo, !IndiceValido(valore));
  if (campo == text3_)
    np_ = valore;
  else
    ns_ = valore;
}

// The frequency the indices give, cut to one decimal, and the error in
// percent cut to two. An index above 255 cannot be written in a WAIT: the
// result says so instead of giving a figure no program can produce.
void WaitCalculator::MostraGenerata() {
  const bool singola = check1_->isChecked();
  if (np_ > kIndiceMassimo || (!singola && ns_ > kIndiceMassimo)) {
    text13_->setText(np_ > kIndiceMassimo ? QStringLiteral("Np oltre 255: non ottenibile")
                                          : QStringLiteral("Ns oltre 255: non ottenibile"));
    text5_->clear();
    unitaGenerata_->hide();
    return;
  }
  unitaGenerata_->show();
  const double cicli = singola ? 4.0 * static_cast<double>(np_) + 1.0
                               : 4.0 * static_cast<double>(np_) * (static_cast<double>(ns_) + 1.0) + 1.0;
  const double generata = 1.0 / (2.0 * cicli * tcpu_);
  text13_->setText(TestoDecimale(std::trunc(generata * 10.0) / 10.0));
  text5_->setText(TestoDecimale(std::trunc((generata - fgen_) / fgen_ * 10000.0) / 100.0));
}

void WaitCalculator::CambioForma(bool formaSingola) {
  text4_->setVisible(!formaSingola);
  vscroll2_->setVisible(!formaSingola);
  label7_->setVisible(!formaSingola);
  LeggiGeneratore();
}

}  // namespace velmora::tools
