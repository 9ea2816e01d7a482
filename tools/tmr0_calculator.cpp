// SPDX-License-Identifier: GPL-3.0-or-later
#include "tmr0_calculator.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "message_box.h"
#include "numeric_text.h"

namespace velmora::tools {

namespace {

const char* const kTestoFormula =
    "La frequenza con cui il timer attiva l'interrupt è calcolata nel seguente modo:\n"
    "1) si divide la frequenza del quarzo XTAL per 4\n"
    "2) ulteriore divisione per il valore assegnato al PRESCALER\n"
    "3) ulteriore divisione per (256-Valore di azzeramento TMR0)";

const char* const kTestoErrore =
    "ERRORE: VI SONO CAMPI VUOTI, NEGATIVI OPPURE NON DEFINITI O ERRATI.";

QLineEdit* CampoRisultato(QWidget* parent, const char* nome) {
  auto* campo = new QLineEdit(parent);
  campo->setObjectName(nome);
  campo->setReadOnly(true);
  return campo;
}

QLineEdit* CampoIngresso(QWidget* parent, const char* nome) {
  auto* campo = new QLineEdit(parent);
  campo->setObjectName(nome);
  return campo;
}

}  // namespace

Tmr0Calculator::Tmr0Calculator(const ui::Ambiente& ambiente, const QString& valoreFrequenza,
                               const QString& valorePrescaler, const QString& valoreTMR0, QWidget* parent)
    : QDialog(parent),
      ambiente_(ambiente),
      valoreFrequenza_(valoreFrequenza),
      valorePrescaler_(valorePrescaler),
      valoreTMR0_(valoreTMR0) {
  createControls();
  createLayout();
  connectSignals();
  frequenza_->setText(valoreFrequenza_);
  prescaler_->setText(valorePrescaler_);
  tmr0_->setText(valoreTMR0_);
  Calcola();
}

void Tmr0Calculator::createControls() {
  setWindowTitle(QStringLiteral("Determinazione impostazioni Timer"));
  setModal(true);

  frequenza_ = CampoIngresso(this, "Frequenza");
  prescaler_ = CampoIngresso(this, "Prescaler");
  tmr0_ = CampoIngresso(this, "TMR0");
  frequenzaCall_ = CampoRisultato(this, "FrequenzaCall");
  periodoCall_ = CampoRisultato(this, "PeriodoCall");

  fattoreFrequenza_ = new QLabel(this);
  fattoreFrequenza_->setObjectName("FattoreFrequenza");
  fattorePeriodo_ = new QLabel(this);
  fattorePeriodo_->setObjectName("FattorePeriodo");

  errore_ = new QLabel(QString::fromUtf8(kTestoErrore), this);
  errore_->setObjectName("Errore");
  errore_->setWordWrap(true);
  errore_->setAlignment(Qt::AlignCenter);
  errore_->setAutoFillBackground(true);
  QPalette rosso = errore_->palette();
  rosso.setColor(QPalette::Window, QColor(255, 0, 0));
  rosso.setColor(QPalette::WindowText, QColor(255, 255, 255));
  errore_->setPalette(rosso);
  QFont grassetto = errore_->font();
  grassetto.setBold(true);
  errore_->setFont(grassetto);
  // Its place is kept while it is hidden, so showing it never squeezes the
  // explanation below.
  QSizePolicy posto = errore_->sizePolicy();
  posto.setRetainSizeWhenHidden(true);
  errore_->setSizePolicy(posto);
  errore_->hide();

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setPlainText(QString::fromUtf8(kTestoFormula));
  text1_->setFixedHeight(text1_->fontMetrics().lineSpacing() * 7);

  timerErrore_ = new QTimer(this);
  timerErrore_->setObjectName("TimerErrore");
  timerErrore_->setSingleShot(true);
  timerErrore_->setInterval(kDurataErroreMs);
}

void Tmr0Calculator::createLayout() {
  auto* titolo = new QLabel(QStringLiteral("Programmazione interrupt Timer"), this);
  QFont grande = titolo->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.4);
  grande.setBold(true);
  titolo->setFont(grande);
  titolo->setAlignment(Qt::AlignCenter);

  auto* griglia = new QGridLayout;
  griglia->addWidget(new QLabel(QStringLiteral("Frequenza quarzo"), this), 0, 0);
  griglia->addWidget(frequenza_, 0, 1);
  griglia->addWidget(new QLabel(QStringLiteral("MHz"), this), 0, 2);
  griglia->addWidget(new QLabel(QStringLiteral("Divisore prescaler"), this), 1, 0);
  griglia->addWidget(prescaler_, 1, 1);
  griglia->addWidget(new QLabel(QStringLiteral("Valore azzer. TMR0"), this), 2, 0);
  griglia->addWidget(tmr0_, 2, 1);
  griglia->addWidget(new QLabel(QStringLiteral("Frequenza Interrupt"), this), 3, 0);
  griglia->addWidget(frequenzaCall_, 3, 1);
  griglia->addWidget(fattoreFrequenza_, 3, 2);
  griglia->addWidget(new QLabel(QStringLiteral("Periodo Interrupt"), this), 4, 0);
  griglia->addWidget(periodoCall_, 4, 1);
  griglia->addWidget(fattorePeriodo_, 4, 2);
  griglia->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("m-sec  ")));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titolo);
  layout->addLayout(griglia);
  layout->addWidget(errore_);
  layout->addWidget(text1_);
  resize(sizeHint().expandedTo(QSize(460, 0)));
}

void Tmr0Calculator::connectSignals() {
  for (QLineEdit* campo : {frequenza_, prescaler_, tmr0_})
    connect(campo, &QLineEdit::returnPressed, this, &Tmr0Calculator::Calcola);
  connect(timerErrore_, &QTimer::timeout, errore_, &QLabel::hide);
}

double FrequenzaInterruptTimer(double mhz, double prescaler, double ricarica) {
  return mhz * 1000000.0 / 4.0 / prescaler / (256.0 - ricarica);
}

void Tmr0Calculator::Calcola() {
  valoreFrequenza_ = frequenza_->text().trimmed();
  valorePrescaler_ = prescaler_->text().trimmed();
  valoreTMR0_ = tmr0_->text().trimmed();

  const double quarzo = ValoreNumerico(valoreFrequenza_);
  const double divisore = ValoreNumerico(valorePrescaler_);
  const double ricarica = ValoreNumerico(valoreTMR0_);
  const bool nonValido = valoreFrequenza_.isEmpty() || quarzo < 0 ||
                         valorePrescaler_.isEmpty() || divisore > 256 || divisore < 0 ||
                         valoreTMR0_.isEmpty() || ricarica > 255 || ricarica < 0;
  if (nonValido) {
    MostraErrore();
    return;
  }

  // A zero divisor or crystal has no frequency: the arithmetic error path.
  QString errore;
  double f = quarzo * 1000000.0 / 4.0;
  if (divisore == 0 || f == 0) {
    errore = QStringLiteral("Divisione per zero");
  } else {
    f = FrequenzaInterruptTimer(quarzo, divisore, ricarica);
    if (!std::isfinite(f)) errore = QStringLiteral("Overflow");
  }
  if (!errore.isEmpty()) {
    frequenza_->clear();
    prescaler_->clear();
    tmr0_->clear();
    ui::MostraMessaggio(ambiente_, QString::fromUtf8("Si è verificato il seguente errore:\n") + errore);
    return;
  }
  MostraRisultato(f);
}

// The red label stays for three seconds while the window keeps working; the
// results keep what they showed.
void Tmr0Calculator::MostraErrore() {
  errore_->show();
  errore_->repaint();
  timerErrore_->start();
}

// Hz with the period in milliseconds, KHz with microseconds, MHz with
// nanoseconds (a fast crystal with a small divisor).
void Tmr0Calculator::MostraRisultato(double frequenza) {
  double periodo = 0;
  QString unitaFrequenza;
  QString unitaPeriodo;
  if (frequenza < 1000) {
    unitaFrequenza = QStringLiteral("Hz");
    unitaPeriodo = QStringLiteral("m-sec");
    periodo = 1000.0 / frequenza;
  } else if (frequenza < 1000000) {
    unitaFrequenza = QStringLiteral("KHz");
    unitaPeriodo = QString::fromUtf8("\u00B5-sec");
    periodo = 1000000.0 / frequenza;
    frequenza /= 1000.0;
  } else {
    unitaFrequenza = QStringLiteral("MHz");
    unitaPeriodo = QStringLiteral("n-sec");
    periodo = 1000000000.0 / frequenza;
    frequenza /= 1000000.0;
  }
  fattoreFrequenza_->setText(unitaFrequenza);
  fattorePeriodo_->setText(unitaPeriodo);
  frequenzaCall_->setText(TestoDecimale(frequenza));
  periodoCall_->setText(TestoDecimale(periodo));
}

}  // namespace velmora::tools
