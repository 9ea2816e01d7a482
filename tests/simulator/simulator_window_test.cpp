// The simulator window on the real gpasm and gpsim, offscreen: the examples
// run and light the pins they should, input clicks change branches and
// interrupts, breakpoints and steps stop on BASIC lines, the stopwatch
// across WAIT agrees with the delay formula, SLEEP and the watchdog stop
// with a message, and a
// missing, crashing or silent gpsim is reported while the window stays
// usable.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <cmath>
#include <memory>

#include "code_editor.h"
#include "pin_led.h"
#include "process.h"
#include "program_map.h"
#include "sim_fixture.h"
#include "simulator_window.h"

using velmora::editor::CodeEditor;
using velmora::simulator::PinLed;
using velmora::simulator::SimulatorWindow;

namespace {

// The window with its two panes, loaded with a program and ready to run.
struct Bench {
  QTemporaryDir dir;
  CodeEditor basic;
  QPlainTextEdit assembly;
  SimulatorWindow window;
  velmora::test::ReadyProgram program;

  bool load(const std::string& source, bool fast = true) {
    program = velmora::test::PrepareProgram(source, dir.path().toStdString());
    if (!program.ok) return false;
    basic.setPlainText(QString::fromStdString(source));
    assembly.setPlainText(QString::fromStdString(program.assembly));
    window.setEditors(&basic, &assembly);
    window.findChild<QComboBox*>(QStringLiteral("velocita"))->setCurrentIndex(fast ? 1 : 0);
    if (!window.setProgram(QString::fromStdString(program.codPath), QString::fromStdString(program.assembly),
                           program.asmToBasic))
      return false;
    return QTest::qWaitFor([this] { return window.controller().ready(); }, 10000);
  }
  void trigger(const char* action) { window.findChild<QAction*>(QLatin1String(action))->trigger(); }
  // Triggers an action and waits for the stop it leads to.
  bool stopAfter(const char* action, int ms = 20000) {
    trigger(action);
    return QTest::qWaitFor([this] { return window.controller().ready(); }, ms);
  }
  PinLed* led(const QString& name) { return window.findChild<PinLed*>(QStringLiteral("pin_") + name); }
  bool runUntilCycles(std::uint64_t cycles) {
    trigger("esegui");
    const bool reached =
        QTest::qWaitFor([&] { return window.controller().chip().cycles >= cycles || !window.controller().running(); }, 30000);
    trigger("pausa");
    return QTest::qWaitFor([this] { return window.controller().ready(); }, 10000) && reached;
  }
  QTableWidgetItem* cell(const QString& name, int column) {
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("variabili"));
    for (int r = 0; r < table->rowCount(); ++r)
      if (table->item(r, 0)->text() == name) return table->item(r, column);
    return nullptr;
  }
  QString variable(const QString& name, int column) { return cell(name, column) ? cell(name, column)->text() : QString(); }
  bool marked(const QString& name) { return cell(name, 2) && cell(name, 2)->font().bold(); }  // changed since the last stop
  QString text(const char* label) { return window.findChild<QLabel*>(QLatin1String(label))->text(); }
};

std::string Example(const char* name) {
  return velmora::test::ReadFile(std::string(VELMORA_SOURCE_DIR) + "/examples/" + name);
}

// X = 5, two WAITs, X + 1 on port B, END: lines 3 to 8 each have their own code.
const char* const kWaitProgram =
    "CONFIG B AS OUTPUT\r\nDIM X AS BYTE\r\nX = 5\r\nWAIT 100\r\nWAIT 20, 30\r\nX = X + 1\r\nOUTPUT B, X\r\nEND\r\n";

}  // namespace

class SimulatorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void listingRowsGiveAddressLines();
  void examplesLightTheirPins();
  void inputClicksWhileRunning_data();
  void inputClicksWhileRunning();
  void breakpointStepsAndStopwatch();
  void timerInterruptsAtTheCalculatorsFrequency();
  void variablesAsStored();
  void stackDepthInNestedSubs();
  void watchdogResetStopsTheRun();
  void brokenGpsimIsReported_data();
  void brokenGpsimIsReported();
};

void SimulatorWindowTest::listingRowsGiveAddressLines() {
  // Rows as gpasm writes them: the include's equates (numbered from 1 in
  // their own file), a label row without code, code rows, the data EEPROM.
  const std::string listing =
      "0000                  00002         SubTitle \" - Velmora\"\n"
      "  00000003            00007 Reg_Status      EQU     0x03\n"
      "0000   280B           00007         GOTO @1\n"
      "000A   3403           00017         RETLW 0x03\n"
      "000B                  00018 @1:\n"
      "000B   3001           00019         MOVLW 0x01\n"
      "2100   0001 0002      00030         DE 1, 2\n";
  const std::vector<int> lines = velmora::simulator::ReadListingLines(listing);
  QCOMPARE(lines.size(), size_t{1024});
  struct Row { int address; int line; };
  for (const Row& row : {Row{0, 7}, Row{1, 0}, Row{0x0A, 17}, Row{0x0B, 19}, Row{0x0C, 0}})
    QCOMPARE(lines[static_cast<size_t>(row.address)], row.line);
}

// Inputs clicked high before the run reach the program (A0, A1, A3, A4 read
// as 27), outputs light as port B ends, SLEEP stops the run with a message.
void SimulatorWindowTest::examplesLightTheirPins() {
  Bench b;
  QVERIFY2(b.load(Example("lettura_linee_a.bas")), b.program.error.c_str());
  for (const char* pin : {"A0", "A1", "A3", "A4"}) {
    QVERIFY(!b.led(pin)->isOutput());
    QTest::mouseClick(b.led(pin), Qt::LeftButton);
    QVERIFY(b.led(pin)->isHigh());
  }
  QVERIFY(b.runUntilCycles(100000));
  QVERIFY2(b.window.message().contains(QStringLiteral("SLEEP")), qPrintable(b.window.message()));
  for (int bit = 0; bit < 8; ++bit) {
    PinLed* led = b.led(QStringLiteral("B%1").arg(bit));
    QVERIFY2(led->isOutput() && led->isHigh() == bool((27 >> bit) & 1), qPrintable(QString::number(bit)));
  }
}

void SimulatorWindowTest::inputClicksWhileRunning_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("output");
  QTest::addColumn<QList<bool>>("levelAfterEachClick");
  // IF INPUT(A0) = 1 THEN SET B5 ELSE RESET B5: each click flips the branch.
  QTest::newRow("IF INPUT") << "configurazione_io.bas" << "A0" << "B5" << QList<bool>{true, false, true};
  // Rising edges on B0 call the interrupt routine that toggles A1; the falling one does not.
  QTest::newRow("interrupt B0") << "interrupt_b0.bas" << "B0" << "A1" << QList<bool>{true, true, false};
}

void SimulatorWindowTest::inputClicksWhileRunning() {
  QFETCH(QString, file);
  QFETCH(QString, input);
  QFETCH(QString, output);
  QFETCH(QList<bool>, levelAfterEachClick);
  Bench b;
  QVERIFY2(b.load(Example(file.toUtf8().constData()), false), b.program.error.c_str());  // real time
  b.trigger("esegui");
  QTRY_VERIFY(b.led(output)->isOutput() && !b.led(output)->isHigh());
  for (bool level : levelAfterEachClick) {
    const std::uint64_t clickedAt = b.window.controller().chip().cycles;
    QTest::mouseClick(b.led(input), Qt::LeftButton);
    // Over a slice after the click (1/30 s of chip time), then on the next refresh.
    QTRY_VERIFY(b.window.controller().chip().cycles > clickedAt + 40000);
    QTRY_COMPARE(b.led(output)->isHigh(), level);
  }
  QVERIFY(b.window.controller().running());
  b.trigger("pausa");
  QTRY_VERIFY(b.window.controller().ready());
}

void SimulatorWindowTest::breakpointStepsAndStopwatch() {
  Bench b;
  QVERIFY2(b.load(kWaitProgram), b.program.error.c_str());
  const auto& map = b.window.controller().map();
  b.basic.setBreakpoints({3});
  QVERIFY(b.stopAfter("esegui"));
  QCOMPARE(b.window.controller().currentBasicLine(), 3);
  QCOMPARE(b.basic.highlightedLines(CodeEditor::LineRole::Running), QSet<int>{3});
  const QList<QTextEdit::ExtraSelection> marks = b.assembly.extraSelections();
  QCOMPARE(marks.size(), 1);
  QVERIFY(marks.front().cursor.block().text().contains(QStringLiteral("MOVLW 0x05")));

  // Passo runs exactly the line's instructions (straight-line code: one cycle each).
  const int xLineWords = static_cast<int>(std::count(map.basicLine.begin(), map.basicLine.end(), 3));
  QVERIFY(b.stopAfter("passo"));
  QCOMPARE(b.window.controller().currentBasicLine(), 4);
  QCOMPARE(b.window.controller().chip().pc, map.FirstAddress(4));
  QCOMPARE(b.window.controller().stopwatchCycles(), static_cast<std::uint64_t>(xLineWords));
  QCOMPARE(b.variable(QStringLiteral("X"), 2), QStringLiteral("5"));
  QVERIFY(b.marked(QStringLiteral("X")));

  // Each WAIT line lasts what the WAIT calculator says:
  // (4*Np+1)*Tcpu and (4*Np*(Ns+1)+1)*Tcpu, Tcpu = 4/fq.
  struct Row { int line; int np; int ns; double mhz; };
  for (const Row& row : {Row{4, 100, -1, 4.0}, Row{5, 20, 30, 10.0}}) {
    b.window.findChild<QDoubleSpinBox*>(QStringLiteral("quarzo"))->setValue(row.mhz);
    QVERIFY(b.stopAfter("passo"));
    QCOMPARE(b.window.controller().currentBasicLine(), row.line + 1);
    QVERIFY(!b.marked(QStringLiteral("X")));
    const double tcpu = 4.0 / (row.mhz * 1e6);
    const double pause = (row.ns < 0 ? 4.0 * row.np + 1 : 4.0 * row.np * (row.ns + 1) + 1) * tcpu;
    QCOMPARE(b.window.controller().seconds(b.window.controller().stopwatchCycles()), pause);
    QVERIFY2(b.text("cronometro").contains(QString::number(pause * 1e6, 'g', 10) + QStringLiteral(" µs")),
             qPrintable(b.text("cronometro")));
  }

  // One instruction (F11, the window's own key): INCF X.
  const std::uint64_t before = b.window.controller().chip().cycles;
  b.window.show();
  b.window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&b.window));
  QTest::keyClick(&b.window, Qt::Key_F11);
  QTRY_VERIFY(b.window.controller().ready());
  QCOMPARE(b.window.controller().chip().cycles, before + 1);
  QCOMPARE(b.variable(QStringLiteral("X"), 2), QStringLiteral("6"));

  // Reset, then run to the cursor's line: stops there with X already 5.
  QVERIFY(b.stopAfter("reset"));
  b.basic.setBreakpoints({});
  b.basic.goToLine(6);
  QVERIFY(b.stopAfter("fino_al_cursore"));
  QCOMPARE(b.window.controller().currentBasicLine(), 6);
  QCOMPARE(b.variable(QStringLiteral("X"), 2), QStringLiteral("5"));

  // On to END: SLEEP stops the run with a message; port B shows 6.
  QVERIFY(b.stopAfter("esegui"));
  QVERIFY2(b.window.message().contains(QStringLiteral("SLEEP")), qPrintable(b.window.message()));
  QCOMPARE(b.window.controller().currentBasicLine(), 8);
  QVERIFY(b.led(QStringLiteral("B1"))->isHigh() && b.led(QStringLiteral("B2"))->isHigh());
  QVERIFY(!b.led(QStringLiteral("B0"))->isHigh());
}

// Prescaler 1/64, TMR0 reloaded with 6: the TMR0 calculator's frequency is
// fq/4/64/(256-6) = 62.5 Hz at 4 MHz; the interrupt count over the simulated
// time must agree with it.
void SimulatorWindowTest::timerInterruptsAtTheCalculatorsFrequency() {
  Bench b;
  QVERIFY2(b.load("DIM N AS BYTE\r\nON TIMER INTERRUPT CALL CONTA\r\nSET INIT TIMER TO 6\r\n"
                  "SET TIMER RATE TO 1/64\r\nSET INTERNAL CLOCK\r\nN = 0\r\nSET TIMER ON\r\nDO\r\nLOOP\r\nEND\r\n"
                  "SUB CONTA\r\n   N = N + 1\r\nEND SUB\r\n"),
           b.program.error.c_str());
  QVERIFY(b.runUntilCycles(3000000));
  const double seconds = b.window.controller().seconds(b.window.controller().chip().cycles);
  const double expected = seconds * 4e6 / 4.0 / 64.0 / (256 - 6);
  const int count = b.variable(QStringLiteral("N"), 2).toInt();
  QVERIFY2(std::abs(count - expected) <= 2.0, qPrintable(QStringLiteral("%1 interrupt, attesi %2").arg(count).arg(expected)));
}

void SimulatorWindowTest::variablesAsStored() {
  // Low byte first: the byte arithmetic works on a variable's first byte.
  Bench b;
  QVERIFY2(b.load("DIM W1 AS WORD\r\nDIM A[2] AS BYTE\r\nASM(MOVLW &H12)\r\nASM(MOVWF W1)\r\nASM(MOVLW &H34)\r\n"
                  "ASM(MOVWF W1+1)\r\nASM(MOVWF A+1)\r\nEND\r\n"),
           b.program.error.c_str());
  QVERIFY(b.stopAfter("esegui"));
  struct Row { const char* name; int column; const char* text; };
  for (const Row& row : {Row{"W1", 2, "13330"}, Row{"W1", 3, "0x3412"}, Row{"W1", 4, "00110100 00010010"},
                         Row{"A", 2, "0 52"}, Row{"A", 3, "0x00 0x34"}, Row{"A", 4, "00000000 | 00110100"}})
    QCOMPARE(b.variable(QLatin1String(row.name), row.column), QLatin1String(row.text));
}

// Read through Velmora's gpsim module: one return address per CALL still open.
void SimulatorWindowTest::stackDepthInNestedSubs() {
  Bench b;
  QVERIFY2(b.load("DIM X AS BYTE\r\nCALL UNO\r\nX = 7\r\nEND\r\nSUB UNO\r\n   CALL DUE\r\nEND SUB\r\n"
                  "SUB DUE\r\n   X = 1\r\nEND SUB\r\n"),
           b.program.error.c_str());
  auto* registers = b.window.findChild<QTableWidget*>(QStringLiteral("registri"));
  struct Row { int breakpoint; const char* depth; };
  for (const Row& row : {Row{9, "2 di 8"}, Row{3, "0 di 8"}}) {
    b.basic.setBreakpoints({row.breakpoint});
    QVERIFY(b.stopAfter("esegui"));
    QCOMPARE(b.window.controller().currentBasicLine(), row.breakpoint);
    QCOMPARE(registers->item(4, 1)->text(), QLatin1String(row.depth));
    QVERIFY(registers->item(4, 1)->font().bold());  // changed since the stop before
  }
}

void SimulatorWindowTest::watchdogResetStopsTheRun() {
  Bench b;
  QVERIFY2(b.load(Example("configurazione_io.bas")), b.program.error.c_str());
  b.window.findChild<QCheckBox*>(QStringLiteral("watchdog"))->setChecked(true);  // restarts gpsim
  QTRY_VERIFY(b.window.controller().ready());
  QVERIFY(b.stopAfter("esegui", 60000));
  QVERIFY2(b.window.message().contains(QStringLiteral("watchdog")), qPrintable(b.window.message()));
  // The default prescaler gives the watchdog 18 ms x 128: about 2.3 s of chip time.
  QVERIFY(b.window.controller().seconds(b.window.controller().chip().cycles) > 1.0);
}

void SimulatorWindowTest::brokenGpsimIsReported_data() {
  QTest::addColumn<QString>("script");  // the fake gpsim; empty: none on PATH
  QTest::addColumn<QString>("message");
  QTest::newRow("silenzioso") << "#!/bin/sh\nexec /bin/sleep 600\n" << "non ha risposto";
  QTest::newRow("termina") << "#!/bin/sh\nexit 3\n" << "inaspettatamente";
  QTest::newRow("mancante") << "" << QString::fromStdString(velmora::toolchain::MissingToolMessage("gpsim"));
}

void SimulatorWindowTest::brokenGpsimIsReported() {
  QFETCH(QString, script);
  QFETCH(QString, message);
  Bench b;
  QVERIFY2(b.load(Example("configurazione_io.bas")), b.program.error.c_str());
  QTemporaryDir bin;
  if (!script.isEmpty()) {
    QFile fake(bin.path() + QStringLiteral("/gpsim"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write(script.toUtf8());
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", bin.path().toUtf8());
  b.window.controller().setTimeLimit(500);
  b.trigger("reset");
  qputenv("PATH", path);
  QTRY_VERIFY(b.window.message().contains(message));
  QVERIFY(!b.window.findChild<QAction*>(QStringLiteral("esegui"))->isEnabled());
  QVERIFY(b.window.findChild<QAction*>(QStringLiteral("reset"))->isEnabled());
  // Reset with the real gpsim back on PATH: the window works again, and
  // runs as soon as gpsim is up.
  b.window.controller().setTimeLimit(10000);
  b.trigger("reset");
  b.window.runWhenReady();
  QTRY_VERIFY(b.window.controller().chip().cycles > 1000);
  QVERIFY(b.window.controller().running());
}

QTEST_MAIN(SimulatorWindowTest)
#include "simulator_window_test.moc"
