// SPDX-License-Identifier: GPL-3.0-or-later
// The WAIT calculator: the delays of the WAIT statement and the indices that
// make a square wave of a wanted frequency.
//
// WAIT Np pauses (4*Np+1) instruction times, WAIT Np,Ns pauses
// (4*Np*(Ns+1)+1); an instruction time is 4 crystal periods. The generator
// works the other way round: a line toggled after each WAIT makes a wave whose
// half period is the pause, so from the wanted frequency it finds Np (single
// form) or, given one index, the other (double form). An index of 0 or above
// 255 cannot be written in a WAIT statement and is shown on red.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace velmora::tools {

// Pause of WAIT np in microseconds, with the crystal in MHz.
double PausaWaitNp(double mhz, int np);
// Pause of WAIT np,ns in microseconds, with the crystal in MHz.
double PausaWaitNpNs(double mhz, int np, int ns);

class WaitCalculator : public QWidget {
  Q_OBJECT
 public:
  explicit WaitCalculator(QWidget* parent = nullptr);

 private:
  enum class Calcolo { DaNp, DaNs };

  void createControls();
  void createLayout();
  void connectSignals();

  void CalcolaWaitNp();
  void CalcolaWaitNpNs();
  void LeggiGeneratore();
  void CalcolaDaNp(bool dalCampo);
  void CalcolaDaNs();
  void MostraGenerata();
  void ScriviIndice(QLineEdit* campo, QScrollBar* barra, long long valore);
  void SeguiCampo(QScrollBar* barra, long long valore);
  void CambioForma(bool formaSingola);

  bool occupato_ = false;
  double fgen_ = 0;
  double tcpu_ = 0;
  long long np_ = 0;
  long long ns_ = 0;
  Calcolo ultimo_ = Calcolo::DaNp;

  QLineEdit* text1_ = nullptr;   // frequency to generate (Hz)
  QLineEdit* text2_ = nullptr;   // crystal (MHz)
  QLineEdit* text3_ = nullptr;   // Np
  QLineEdit* text4_ = nullptr;   // Ns
  QLineEdit* text5_ = nullptr;   // error in percent
  QLineEdit* text6_ = nullptr;   // WAIT Np: crystal
  QLineEdit* text7_ = nullptr;   // WAIT Np: Np
  QLineEdit* text8_ = nullptr;   // WAIT Np: pause
  QLineEdit* text9_ = nullptr;   // WAIT Np,Ns: crystal
  QLineEdit* text10_ = nullptr;  // WAIT Np,Ns: Np
  QLineEdit* text11_ = nullptr;  // WAIT Np,Ns: Ns
  QLineEdit* text12_ = nullptr;  // WAIT Np,Ns: pause
  QLineEdit* text13_ = nullptr;  // generated frequency
  QScrollBar* vscroll1_ = nullptr;
  QScrollBar* vscroll2_ = nullptr;
  QLabel* label7_ = nullptr;
  QLabel* unitaGenerata_ = nullptr;  // "Hz" after the generated frequency
  QCheckBox* check1_ = nullptr;
  QCheckBox* check2_ = nullptr;
};

}  // namespace velmora::tools
