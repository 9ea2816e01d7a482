// SPDX-License-Identifier: GPL-3.0-or-later
// The TMR0 calculator: how often timer 0 raises its overflow interrupt.
//
// From the crystal frequency (MHz), the prescaler divisor and the value
// reloaded into TMR0 the window computes the interrupt frequency and the time
// between two interrupts: the crystal divided by 4 (the instruction clock), by
// the prescaler and by (256 - reload). The three inputs are the main window's
// remembered texts: each calculation writes them back, so the settings file
// keeps the last values tried.
#pragma once

#include <QDialog>
#include <QString>

#include "environment.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;

namespace velmora::tools {

// Interrupts a second: the crystal (MHz) divided by 4, by the prescaler and
// by (256 - the value reloaded into TMR0).
double FrequenzaInterruptTimer(double mhz, double prescaler, double ricarica);

class Tmr0Calculator : public QDialog {
  Q_OBJECT
 public:
  // How long the error label stays up (3 seconds).
  static constexpr int kDurataErroreMs = 3000;

  Tmr0Calculator(const ui::Ambiente& ambiente, const QString& valoreFrequenza, const QString& valorePrescaler,
                 const QString& valoreTMR0, QWidget* parent = nullptr);

  // After exec(): the three texts of the last calculation, for the settings.
  QString ValoreFrequenza() const { return valoreFrequenza_; }
  QString ValorePrescaler() const { return valorePrescaler_; }
  QString ValoreTMR0() const { return valoreTMR0_; }

  // The calculation Enter runs in any input field (and the window at opening).
  void Calcola();

 private:
  void createControls();
  void createLayout();
  void connectSignals();
  void MostraErrore();
  void MostraRisultato(double frequenza);

  const ui::Ambiente& ambiente_;
  QString valoreFrequenza_;
  QString valorePrescaler_;
  QString valoreTMR0_;

  QLineEdit* frequenza_ = nullptr;
  QLineEdit* prescaler_ = nullptr;
  QLineEdit* tmr0_ = nullptr;
  QLineEdit* frequenzaCall_ = nullptr;
  QLabel* fattoreFrequenza_ = nullptr;
  QLineEdit* periodoCall_ = nullptr;
  QLabel* fattorePeriodo_ = nullptr;
  QLabel* errore_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  QTimer* timerErrore_ = nullptr;
};

}  // namespace velmora::tools
