// SPDX-License-Identifier: GPL-3.0-or-later
// The lower part of the simulator window as tabs: "Stato" (variables,
// registers, EEPROM, given by the window), "Analizzatore logico" (the
// lines over time, recorded inside gpsim) and the board's tab. The window
// adds it with a few lines; the panels follow its SimController.
#pragma once

#include <QTabWidget>

namespace velmora::simulator {

class BoardView;
class LogicAnalyser;
class LogicCapture;
class SimController;

class BenchPanels : public QTabWidget {
  Q_OBJECT

 public:
  BenchPanels(SimController& controller, QWidget* stateTab, QWidget* parent = nullptr);

  LogicAnalyser* analyser() const { return analyser_; }
  LogicCapture* capture() const { return capture_; }
  BoardView* board() const { return board_; }
  // Brings forward the tab that holds `panel` (a tab may wrap its panel).
  void showPanel(QWidget* panel);

 signals:
  // A click on an edge made by the program: the BASIC line to show.
  void basicLineRequested(int line);

 private:
  SimController& controller_;
  LogicCapture* capture_;
  LogicAnalyser* analyser_;
  BoardView* board_;
};

}  // namespace velmora::simulator
