// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator window on the real gpasm and gpsim, offscreen: the listing's
// addresses, input clicks
// change branches and interrupts and light the outputs, breakpoints and steps
// stop on BASIC lines, the stopwatch across WAIT agrees with the delay
// formula, SLEEP and the watchdog stop with a message, the stack depth, gpsim's
// own stops on their BASIC line, the sleeping chip and the watchdog box, and
// a missing, crashing or silent gpsim is reported while the window stays usable.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QTextBlock>
#include <algorithm>
#include <cmath>
#include <fstream>

#include "process.h"
#include "sim_bench.h"

using velmora::editor::CodeEditor;
using velmora::test::Bench;
using velmora::test::Example;

namespace {

// X = 5, two WAITs, X + 1 on port B, END: lines 3 to 8 each have their own code.
const char* const kWaitProgram =
    "CONFIG B AS OUTPUT\r\nDIM X AS BYTE\r\nX = 5\r\nWAIT 100\r\nWAIT 20, 30\r\nX = X + 1\r\nOUTPUT B, X\r\nEND\r\n";

}  // namespace

class SimulatorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // gpasm's listing rows: a row without code, code, the words of a long DT
  // going on in rows of their own, the data EEPROM (outside program memory).
  void listingRowsGiveAddressLines() {
    const std::string listing =
        "0000                  00002         org 0\n"
        "0000   0000           00003         nop\n"
        "0001   3461 3462 3463 00004         DT \"abcdefgh\"\n"
        "       3464 3465 3466 \n"
        "       3467 3468      \n"
        "0009   0000           00005 @1:     nop\n"
        "                      00006         end\n"
        "2100   0001 0002      00030         DE 1, 2\n";
    const std::vector<int> lines = velmora::simulator::ReadListingLines(listing);
    QCOMPARE(std::vector<int>(lines.begin(), lines.begin() + 11), (std::vector<int>{3, 4, 4, 4, 4, 4, 4, 4, 4, 5, 0}));
  }

  // Inputs clicked while running reach the program, outputs light.
  void inputClicksWhileRunning_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QList<bool>>("levelAfterEachClick");
    // IF INPUT(A0) = 1 THEN SET B5 ELSE RESET B5: each click flips the branch.
    QTest::newRow("IF INPUT") << "configurazione_io.bas" << "A0" << "B5" << QList<bool>{true, false, true};
    // Rising edges on B0 call the interrupt routine that toggles A1; the falling one does not.
    QTest::newRow("interrupt B0") << "interrupt_b0.bas" << "B0" << "A1" << QList<bool>{true, true, false};
  }

  void inputClicksWhileRunning() {
    QFETCH(QString, file);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QList<bool>, levelAfterEachClick);
    Bench b;
    QVERIFY2(b.load(Example(file.toUtf8().constData()), false), b.error.c_str());  // real time
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
    QVERIFY(b.stopAfter("pausa"));
  }

  void breakpointStepsAndStopwatch() {
    Bench b;
    QVERIFY2(b.load(kWaitProgram), b.error.c_str());
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
      QVERIFY2(b.text("cronometro").contains(QString::number(pause * 1e6, 'g', 10).replace('.', ',') + QStringLiteral(" µs")),
               qPrintable(b.text("cronometro")));
    }

    // One instruction (F11, the window's own key): INCF X.
    const std::uint64_t before = b.window.controller().chip().cycles;
    b.window.show();
    b.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b.window));
    QTest::keyClick(&b.window, Qt::Key_F11);
    QVERIFY(b.ready());
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
  void timerInterruptsAtTheCalculatorsFrequency() {
    Bench b;
    QVERIFY2(b.load("DIM N AS BYTE\r\nON TIMER INTERRUPT CALL CONTA\r\nSET INIT TIMER TO 6\r\n"
                    "SET TIMER RATE TO 1/64\r\nSET INTERNAL CLOCK\r\nN = 0\r\nSET TIMER ON\r\nDO\r\nLOOP\r\nEND\r\n"
                    "SUB CONTA\r\n   N = N + 1\r\nEND SUB\r\n"),
             b.error.c_str());
    QVERIFY(b.runUntilCycles(3000000));
    const double seconds = b.window.controller().seconds(b.window.controller().chip().cycles);
    const double expected = seconds * 4e6 / 4.0 / 64.0 / (256 - 6);
    const int count = b.variable(QStringLiteral("N"), 2).toInt();
    QVERIFY2(std::abs(count - expected) <= 2.0, qPrintable(QStringLiteral("%1 interrupt, attesi %2").arg(count).arg(expected)));
  }

  void variablesAsStored() {
    // Low byte first: the byte arithmetic works on a variable's first byte.
    Bench b;
    QVERIFY2(b.load("DIM W1 AS WORD\r\nDIM A[2] AS BYTE\r\nASM(MOVLW &H12)\r\nASM(MOVWF W1)\r\nASM(MOVLW &H34)\r\n"
                    "ASM(MOVWF W1+1)\r\nASM(MOVWF A+1)\r\nEND\r\n"),
             b.error.c_str());
    QVERIFY(b.stopAfter("esegui"));
    struct Row { const char* name; int column; const char* text; };
    for (const Row& row : {Row{"W1", 2, "13330"}, Row{"W1", 3, "0x3412"}, Row{"W1", 4, "00110100 00010010"},
                           Row{"A", 2, "0 52"}, Row{"A", 3, "0x00 0x34"}, Row{"A", 4, "00000000 | 00110100"}})
      QCOMPARE(b.variable(QLatin1String(row.name), row.column), QLatin1String(row.text));
  }

  // Read through Velmora's gpsim module: one return address per CALL still open.
  void stackDepthInNestedSubs() {
    Bench b;
    QVERIFY2(b.load("DIM X AS BYTE\r\nCALL UNO\r\nX = 7\r\nASM{\r\nGIU: CALL GIU\r\n}\r\nEND\r\nSUB UNO\r\n"
                    "   CALL DUE\r\nEND SUB\r\nSUB DUE\r\n   X = 1\r\nEND SUB\r\n"),
             b.error.c_str());
    auto* registers = b.window.findChild<QTableWidget*>(QStringLiteral("registri"));
    // Inside the inner SUB, back in the main program, then GIU calling itself
    // until a ninth return address stops the run.
    struct Row { int breakpoint; int line; const char* depth; };
    for (const Row& row : {Row{12, 12, "2 di 8"}, Row{3, 3, "0 di 8"}, Row{0, 5, "8 di 8 (pieno)"}}) {
      b.basic.setBreakpoints(row.breakpoint ? QSet<int>{row.breakpoint} : QSet<int>{});
      QVERIFY(b.stopAfter("esegui"));
      QCOMPARE(b.window.controller().currentBasicLine(), row.line);
      QCOMPARE(registers->item(4, 1)->text(), QLatin1String(row.depth));
      QVERIFY(registers->item(4, 1)->font().bold());  // changed since the stop before
    }
    QVERIFY2(b.window.message().startsWith(QStringLiteral("Fermata alla riga 5: stack pieno")), qPrintable(b.window.message()));
  }

  // gpsim's own stops, one program each: the run stops on the BASIC line
  // (a runtime routine's fault on the line that called it), both panes light
  // it, the message says why with gpsim's words, and the program can go on.
  void faultsStopOnTheirLine_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    QTest::newRow("EEPROM lettura") << "DIM X AS BYTE\r\nX = 3\r\nX = READ(100)\r\nEND\r\n" << 3
                                    << "lettura della EEPROM dati all'indirizzo 100";
    QTest::newRow("EEPROM scrittura") << "DIM A AS BYTE\r\nA = 200\r\nWRITE 1, 2, 3, A\r\nEND\r\n" << 3
                                      << "scrittura nella EEPROM dati all'indirizzo 200";
    QTest::newRow("registro letto") << "RECONFIG B0, C9 AS INPUT\r\nEND\r\n" << 1 << "lettura del registro 0x87 (TRISC)";
    QTest::newRow("registro scritto") << "DIM X AS BYTE\r\nX = 1\r\nRECONFIG B0, C AS OUTPUT\r\nEND\r\n" << 3
                                      << "scrittura nel registro 0x87 (TRISC)";
    QTest::newRow("stack vuoto") << "DIM X AS BYTE\r\nX = 1\r\nASM(RETURN)\r\nEND\r\n" << 3 << "stack vuoto";
  }

  void faultsStopOnTheirLine() {
    QFETCH(QString, source);
    QFETCH(int, line);
    QFETCH(QString, says);
    Bench b;
    QVERIFY2(b.load(source.toStdString()), b.error.c_str());
    QVERIFY(b.stopAfter("esegui"));
    const auto& c = b.window.controller();
    QCOMPARE(c.currentBasicLine(), line);
    QCOMPARE(c.map().BasicLineAt(c.currentAddress()), line);
    QCOMPARE(b.basic.highlightedLines(CodeEditor::LineRole::Running), QSet<int>{line});
    const QList<QTextEdit::ExtraSelection> marks = b.assembly.extraSelections();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks.front().cursor.block().blockNumber() + 1, c.map().AsmLineAt(c.currentAddress()));
    QVERIFY2(b.window.message().startsWith(QStringLiteral("Fermata alla riga %1: %2").arg(line).arg(says)),
             qPrintable(b.window.message()));
    QVERIFY2(b.window.message().contains(QStringLiteral("(gpsim: ")), qPrintable(b.window.message()));
    QVERIFY(b.window.findChild<QAction*>(QStringLiteral("esegui"))->isEnabled());
  }

  // A chip that has run SLEEP does not keep the window "running": the run
  // stops and says the chip sleeps on END's line.
  void sleepingChipStopsTheRun() {
    Bench b;
    QVERIFY2(b.load("DIM X AS BYTE\r\nX = 1\r\nEND\r\n"), b.error.c_str());
    QVERIFY(b.stopAfter("esegui"));  // at the SLEEP instruction, before it runs
    QVERIFY2(b.window.message().contains(QStringLiteral("SLEEP")), qPrintable(b.window.message()));
    QVERIFY(!b.window.controller().asleep());
    const std::uint64_t before = b.window.controller().chip().cycles;
    for (int run = 0; run < 2; ++run) {  // asleep, and still asleep when run again
      QVERIFY(b.stopAfter("esegui"));
      QVERIFY(b.window.controller().asleep());
      QVERIFY(!b.window.controller().running());
      QVERIFY2(b.window.message().startsWith(QStringLiteral("In SLEEP alla riga 3: il micro dorme")),
               qPrintable(b.window.message()));
      QVERIFY(b.window.findChild<QAction*>(QStringLiteral("esegui"))->isEnabled());
      QVERIFY(!b.window.findChild<QAction*>(QStringLiteral("pausa"))->isEnabled());
      QCOMPARE(b.window.controller().currentBasicLine(), 3);
    }
    QVERIFY(b.window.controller().chip().cycles > before);
  }

  // The watchdog box takes effect at the next Reset and says so; a run in
  // progress goes on as it was.
  void watchdogResetStopsTheRun() {
    Bench b;
    QVERIFY2(b.load(Example("configurazione_io.bas")), b.error.c_str());
    QVERIFY(b.runUntilCycles(20000));
    const std::uint64_t cycles = b.window.controller().chip().cycles;
    auto* box = b.window.findChild<QCheckBox*>(QStringLiteral("watchdog"));
    box->setChecked(true);
    QVERIFY2(b.window.message().contains(QStringLiteral("dal prossimo Reset")), qPrintable(b.window.message()));
    QVERIFY(b.window.controller().ready());
    QCOMPARE(b.window.controller().chip().cycles, cycles);  // not restarted
    QVERIFY(!b.window.controller().watchdogInUse());
    box->setChecked(false);
    QVERIFY2(b.window.message().contains(QStringLiteral("come nella simulazione in corso")), qPrintable(b.window.message()));
    box->setChecked(true);
    QVERIFY(b.stopAfter("reset"));
    QVERIFY(b.window.controller().watchdogInUse());
    QVERIFY(b.stopAfter("esegui", 60000));
    QVERIFY2(b.window.message().contains(QStringLiteral("watchdog")), qPrintable(b.window.message()));
    // The default prescaler gives the watchdog 18 ms x 128: about 2.3 s of chip time.
    QVERIFY(b.window.controller().seconds(b.window.controller().chip().cycles) > 1.0);
  }

  void brokenGpsimIsReported_data() {
    QTest::addColumn<QString>("script");  // the fake gpsim; empty: none on PATH
    QTest::addColumn<QString>("message");
    QTest::newRow("silenzioso") << "#!/bin/sh\nexec /bin/sleep 600\n" << "non ha risposto entro 0,5 secondi";
    QTest::newRow("termina") << "#!/bin/sh\nexit 3\n" << "inaspettatamente";
    QTest::newRow("mancante") << "" << QString::fromStdString(velmora::toolchain::MissingToolMessage("gpsim"));
  }

  void brokenGpsimIsReported() {
    QFETCH(QString, script);
    QFETCH(QString, message);
    Bench b;
    QVERIFY2(b.load(Example("configurazione_io.bas")), b.error.c_str());
    QTemporaryDir bin;
    if (!script.isEmpty()) {
      std::ofstream(bin.filePath(QStringLiteral("gpsim")).toStdString()) << script.toStdString();
      QFile::setPermissions(bin.filePath(QStringLiteral("gpsim")), QFile::ReadOwner | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    b.window.controller().setTimeLimit(500);
    b.trigger("reset");
    qputenv("PATH", path);
    QTRY_VERIFY(b.window.message().contains(message));
    QVERIFY(!b.window.findChild<QAction*>(QStringLiteral("esegui"))->isEnabled());
    QVERIFY(b.window.findChild<QAction*>(QStringLiteral("reset"))->isEnabled());
    QCOMPARE(b.window.findChild<QAction*>(QStringLiteral("reset"))->toolTip(), QStringLiteral("Reset (Maiusc+F9)"));
    // Reset with the real gpsim back on PATH: the window works again, and
    // runs as soon as gpsim is up.
    b.window.controller().setTimeLimit(10000);
    b.trigger("reset");
    b.window.runWhenReady();
    QTRY_VERIFY(b.window.controller().chip().cycles > 1000);
    QVERIFY(b.window.controller().running());
  }
};

QTEST_MAIN(SimulatorWindowTest)
#include "simulator_window_test.moc"
