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
#include <functional>
#include <vector>

#include "sim_controller.h"

class QAction;
class QBoxLayout;
class QCheckBox;
class QToolBar;
class QGroupBox;
class QTabWidget;
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
  bool setProgram(const QString& codPath, const QString& assembly, const std::vector<int>& asmToBasic,
                  const std::vector<DeclaredVariable>* variables = nullptr);
  // The crystal frequency field (Hz); 4 MHz until set.
  void setFrequency(long hz);
  long frequency() const { return controller_.frequency(); }

  SimController& controller() { return controller_; }
  // The message line: why the last run stopped, or what went wrong.
  QString message() const;
  // A problem shown on the message line (a rebuild that failed, say).
  void showProblem(const QString& text) { showMessage(text, true); }

  // The editor no longer holds the program loaded here (edited, another file
  // opened, cleared): the run stops, no line of it stays lit, the message
  // says so, and Esegui and the Passo commands go through the gate, which
  // rebuilds and loads the program before they act. setProgram clears it.
  void setStale(bool stale);
  bool stale() const { return stale_; }
  // What Esegui and the Passo commands do on a stale program: `gate` gets
  // the command, to run once the new program is loaded.
  void setGate(std::function<void(std::function<void()> command)> gate) { gate_ = std::move(gate); }
  // Runs `action` as soon as gpsim is ready (now when it already is).
  void whenReady(std::function<void()> action);
  // Lays the window out for its size (also done at every resize): wide,
  // everything side by side; narrow (docked beside the editors), the rows
  // stacked, and the three tables in tabs when the height is short too.
  void arrange();
  // The keyboard focus on the run controls: Pausa while running, else Esegui
  // (it follows them as they turn on and off).
  void focusRunControls();
  // The window stops showing the program (the dock closed, a floating
  // window shut): the run pauses and the lit lines go.
  void stopShowing();

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
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

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
  // A command on a stale program goes through the gate; true when it did.
  bool gated(void (SimulatorWindow::*command)());

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
  std::function<void()> whenStarted_;
  std::function<void(std::function<void()>)> gate_;
  bool stale_ = false;
  bool hidden_ = false;
  bool wantsRunFocus_ = false;  // hidden after being shown: nothing is lit
  QBoxLayout *head_ = nullptr, *top_ = nullptr, *middle_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QToolBar* controls_ = nullptr;
  QWidget* side_ = nullptr;
  QList<QGroupBox*> tables_;
  int arranged_ = -1;  // the layout in use (arrange)
};

}  // namespace velmora::simulator
