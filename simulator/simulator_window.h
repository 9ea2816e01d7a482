// SPDX-License-Identifier: GPL-3.0-or-later
// The "Simulatore" window: the assembled program running on gpsim, shown
// on the program's own terms — the running BASIC line in the editor and its
// instruction in the assembly pane, the pins as LEDs, the variables by name,
// the registers, the data EEPROM, cycles, simulated time and a stopwatch.
//
// Modeless; the main window owns one instance, hands it the editors once
// (setEditors) and a program after each Assemble (setProgram). Breakpoints
// are the BASIC editor's own (its margin), followed through
// breakpointsChanged. Stops, SLEEP, watchdog resets and gpsim failures are
// messages in the window; nothing here blocks on gpsim.
#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "sim_controller.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace velmora::editor {
class CodeEditor;
}

namespace velmora::simulator {

class PinLed;

class SimulatorWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SimulatorWindow(QWidget* parent = nullptr);
  ~SimulatorWindow() override;

  // The BASIC editor (running line, breakpoints, cursor line for "Esegui
  // fino al cursore") and the assembly pane (running instruction). Either
  // may be null.
  void setEditors(editor::CodeEditor* basic, QPlainTextEdit* assembly);
  // Loads an assembled program and restarts the simulation. `codPath` is
  // gpasm's NAME.cod (NAME.lst and NAME.hex beside it), `assembly` the text
  // it was assembled from, `asmToBasic` element i the BASIC line (from 1) of
  // assembly line i+1, 0 for none. False, with the reason in the window's
  // message, when the listing or the .hex cannot be read.
  bool setProgram(const QString& codPath, const QString& assembly, const std::vector<int>& asmToBasic);
  // The crystal frequency field (Hz); 4 MHz until set.
  void setFrequency(long hz);
  long frequency() const { return controller_.frequency(); }

  SimController& controller() { return controller_; }
  // The message line: why the last run stopped, or what went wrong.
  QString message() const;

 public slots:
  // Esegui now, or as soon as gpsim has started (F9 in the main window:
  // setProgram then runWhenReady).
  void runWhenReady();
  void run();
  void pause();
  void stepLine();
  void stepOver();
  void stepOut();
  void stepInstruction();
  void runToCursor();
  void reset();

 signals:
  // A stop or a refresh has been shown (for the owner and for tests).
  void refreshed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createLayout();
  void connectController();
  void onStopped(SimController::Stop why, const QString& message);
  void onFailed(const QString& message);
  void refresh(bool stop);
  void refreshPins();
  void refreshVariables();
  void refreshRegisters();
  void refreshEeprom();
  void refreshTime();
  void showRunningLine(bool scroll);
  void clearRunningLine();
  void updateActions();
  void showMessage(const QString& text, bool error);

  SimController controller_;
  QPointer<editor::CodeEditor> basic_;
  QPointer<QPlainTextEdit> assembly_;
  QAction *runAction_, *pauseAction_, *stepAction_, *stepOverAction_, *stepOutAction_, *stepInstructionAction_,
      *cursorAction_, *resetAction_;
  QDoubleSpinBox* crystal_;
  QComboBox* speed_;
  QCheckBox* watchdog_;
  QMap<QString, PinLed*> leds_;
  QLabel *trisA_, *trisB_, *cycles_, *time_, *stopwatch_, *line_, *message_;
  QTableWidget *variables_, *registers_, *eeprom_;
  QElapsedTimer sinceRefresh_;
  bool runWhenStarted_ = false;
};

}  // namespace velmora::simulator
