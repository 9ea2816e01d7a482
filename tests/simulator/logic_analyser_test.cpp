// SPDX-License-Identifier: GPL-3.0-or-later
// The logic analyser on real gpsim recordings: a WAIT blink recorded live
// in the simulator window and measured with the cursors (clicks on the
// edges) against the WAIT calculator's own function; a TMR0 interrupt
// toggling a line, recorded by a headless run, against the TMR0
// calculator's function; an edge names its BASIC line and a click takes the
// editor there; the exports.
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

#include "bench_panels.h"
#include "logic_analyser.h"
#include "logic_capture.h"
#include "sim_bench.h"
#include "simulator.h"
#include "tmr0_calculator.h"
#include "wait_calculator.h"

using namespace velmora;
using simulator::LogicAnalyser;
using simulator::LogicRecording;
using simulator::WaveformView;

namespace {

constexpr int kRB0 = 5;

// B0 high for SET B0 + WAIT 250, 3 (line 3), low for RESET B0 + WAIT 250, 3
// + the loop's jump.
constexpr const char* kBlink =
    "CONFIG B AS OUTPUT\nDO\n   SET B0\n   WAIT 250, 3\n   RESET B0\n   WAIT 250, 3\nLOOP\nEND\n";

// The point of `view` on `line`'s row at `cycle`.
QPoint At(const WaveformView* view, int line, std::uint64_t cycle) {
  return {static_cast<int>(std::lround(view->xOf(static_cast<double>(cycle)))),
          view->rowTop(line) + WaveformView::kRowHeight / 2};
}

}  // namespace

class LogicAnalyserTest : public QObject {
  Q_OBJECT

 private slots:
  void blinkMeasuredWithTheCursorsIsTheWaitCalculatorsPause();
  void timerInterruptToggleHasTheTmr0CalculatorsFrequency();
  void longRecordingKeepsTheLatestEdges();
  void byteVariableChosenWhileRunningIsABus();
};

void LogicAnalyserTest::blinkMeasuredWithTheCursorsIsTheWaitCalculatorsPause() {
  test::Bench bench;
  QVERIFY2(bench.load(kBlink), bench.error.c_str());
  auto* panels = bench.window.findChild<simulator::BenchPanels*>();
  QVERIFY(panels);
  QVERIFY2(panels->capture()->available(), "il modulo di Velmora per gpsim non è stato trovato");
  bench.window.resize(1200, 800);
  bench.window.show();
  panels->showPanel(panels->analyser());
  QVERIFY(bench.runUntilCycles(40000));
  const LogicRecording& recording = panels->capture()->recording();
  QVERIFY(QTest::qWaitFor([&] { return recording.end() >= 40000; }, 10000));

  // The edges of B0 as recorded, read on screen by clicking on them.
  LogicAnalyser* analyser = panels->analyser();
  WaveformView* view = analyser->view();
  view->fit();
  const auto period = recording.periodAfter(kRB0, 10000);
  QVERIFY(period);
  const LogicRecording::Signal& b0 = recording.signal(kRB0);
  const size_t rise = recording.firstAtOrAfter(kRB0, period->first);
  QCOMPARE(b0.cycles[rise + 1] < period->second, true);  // the fall between the two rises
  QTest::mouseClick(view, Qt::LeftButton, {}, At(view, kRB0, b0.cycles[rise] + 40));
  QTest::mouseClick(view, Qt::RightButton, {}, At(view, kRB0, b0.cycles[rise + 1] - 40));
  QCOMPARE(*view->cursorA(), b0.cycles[rise]);
  QCOMPARE(*view->cursorB(), b0.cycles[rise + 1]);

  // High from SET B0 to RESET B0: the pause the calculator gives (µs at
  // 4 MHz, where a cycle is 1 µs) plus the SET instruction's own cycle.
  const double pause = tools::PausaWaitNpNs(4.0, 250, 3);
  QCOMPARE(analyser->measure().seconds * 1e6, pause + 1.0);
  QCOMPARE(analyser->measure().duty, 1.0);
  QVERIFY2(analyser->measureText().contains(QStringLiteral("Δt = 4,002 ms (4002 cicli)")),
           qPrintable(analyser->measureText()));

  // One period, rise to rise: two pauses and four cycles of SET, RESET and
  // the loop's GOTO; high (pause + 1) of it.
  QTest::mouseClick(view, Qt::RightButton, {}, At(view, kRB0, period->second + 30));
  const simulator::CursorMeasure m = analyser->measure();
  QCOMPARE(m.seconds * 1e6, 2 * pause + 4.0);
  QCOMPARE(m.hertz, 1e6 / (2 * pause + 4.0));
  QCOMPARE(m.duty, (pause + 1.0) / (2 * pause + 4.0));

  // The rising edge was made by SET B0, line 3; the click took the editor
  // there.
  QCOMPARE(view->basicLineOf(kRB0, rise), 3);
  QVERIFY2(view->describeEdge(kRB0, rise).contains(QStringLiteral("riga 3 del programma")),
           qPrintable(view->describeEdge(kRB0, rise)));
  QCOMPARE(bench.basic.textCursor().blockNumber() + 1, 3);
  QTest::mouseClick(view, Qt::LeftButton, {}, At(view, kRB0, b0.cycles[rise + 1]));
  QCOMPARE(bench.basic.textCursor().blockNumber() + 1, 5);  // RESET B0

  // Zoom keeps the cycle under the pointer; fit shows the whole recording.
  const QPoint p = At(view, kRB0, period->first);
  const double under = view->cycleAt(p.x()), perPixel = view->cyclesPerPixel();
  view->zoom(8, p.x());
  QVERIFY(std::fabs(view->cycleAt(p.x()) - under) < 1e-6);
  QCOMPARE(view->cyclesPerPixel(), perPixel / 8);
  QTest::keyClick(view, Qt::Key_Home);
  QVERIFY(view->firstCycle() <= static_cast<double>(recording.start()));
  QVERIFY(view->cycleAt(view->width()) >= static_cast<double>(recording.end()) - view->cyclesPerPixel());
}

// TICK toggles B0 at every timer 0 overflow: prescaler 1:256, TMR0 reloaded
// with 0, so B0's frequency is half the calculator's 15,2587890625 Hz. The
// interrupt's own latency before the reload (some twenty cycles in 65536)
// is the only difference allowed.
void LogicAnalyserTest::timerInterruptToggleHasTheTmr0CalculatorsFrequency() {
  const std::string source =
      "CONFIG B AS OUTPUT\nDIM S AS BYTE\nON TIMER INTERRUPT CALL TICK\nSET TIMER RATE TO 1/256\n"
      "SET INIT TIMER TO 0\nSET TIMER ON\nS = 0\nDO\nLOOP\nEND\n"
      "SUB TICK\n   IF S = 0 THEN\n      SET B0\n      S = 1\n   ELSE\n      RESET B0\n      S = 0\n   END IF\nEND SUB\n";
  const TranslationResult t = Translator().Translate(source, TranslateOptions{});
  QVERIFY2(t.ok, t.assembly.c_str());
  QTemporaryDir dir;
  const toolchain::AssembleResult a = toolchain::Assemble(dir.path().toStdString(), "timer", AssemblyFileBytes(t.assembly));
  QVERIFY2(a.ok, a.error.c_str());
  toolchain::SimulationOptions options;
  options.cycles = 700000;
  options.record = true;
  options.modulePath = toolchain::VelmoraModulePath();
  const toolchain::SimulationResult r = toolchain::Simulate(a.codPath, options);
  QVERIFY2(r.ok, r.error.c_str());

  LogicRecording recording;
  recording.addAll(r.trace);
  LogicAnalyser analyser;
  analyser.resize(1000, 400);
  analyser.setRecording(&recording);
  analyser.setClock(4000000);
  const auto period = recording.periodAfter(kRB0, 140000);  // past the first, shorter period
  QVERIFY(period);
  analyser.view()->setCursors(period->first, period->second, kRB0);
  const double expected = tools::FrequenzaInterruptTimer(4.0, 256, 0) / 2;
  QCOMPARE(expected, 15.2587890625 / 2);
  const double measured = analyser.measure().hertz;
  QVERIFY2(std::fabs(measured - expected) / expected < 0.001,
           qPrintable(QStringLiteral("%1 Hz misurati, %2 Hz attesi").arg(measured).arg(expected)));
  QVERIFY(std::fabs(analyser.measure().duty - 0.5) < 0.001);

  // The exports: the dump reads back with the same edges, the image is the view.
  const QString vcd = dir.filePath(QStringLiteral("timer.vcd")), png = dir.filePath(QStringLiteral("timer.png"));
  QString error;
  QVERIFY2(analyser.exportVcd(vcd, &error), qPrintable(error));
  QVERIFY2(analyser.exportPng(png, &error), qPrintable(error));
  QFile dump(vcd);
  QVERIFY(dump.open(QIODevice::ReadOnly));
  const QByteArray text = dump.readAll();
  QCOMPARE(text.count("\n1&\n") + text.count("\n0&\n"),
           static_cast<qsizetype>(recording.signal(kRB0).size()));  // the start level and every edge of B0
  QCOMPARE(QImage(png).size(), analyser.view()->size());
  QVERIFY(!analyser.exportVcd(dir.filePath(QStringLiteral("manca/timer.vcd")), &error));
  QVERIFY(error.contains(QStringLiteral("impossibile scrivere")));
}

// Past the cap the oldest edges go: what is kept is the latest part of the
// recording, unchanged, every line starting at its level at the cut (RA0,
// which changed once before, too), and the count of those dropped is told.
void LogicAnalyserTest::longRecordingKeepsTheLatestEdges() {
  toolchain::PinTrace trace;
  trace.edges.push_back({0, 0, 0, 0, false});
  trace.edges.push_back({5, 0, 0, 1, false});  // RA0 high from cycle 5 on
  for (std::uint64_t i = 0; i < 1000; ++i) trace.edges.push_back({10 * i, 0, 5, static_cast<std::uint8_t>(i % 2), true});
  trace.endCycle = 10000;
  simulator::LogicRecording full, capped;
  full.addAll(trace);
  capped.setCap(100);
  // In batches, as the capture adds them.
  toolchain::PinTrace part;
  for (size_t i = 0; i < trace.edges.size(); i += 37) {
    part.edges.assign(trace.edges.begin() + static_cast<long>(i),
                      trace.edges.begin() + static_cast<long>(std::min(i + 37, trace.edges.size())));
    part.endCycle = part.edges.back().cycle;
    capped.addAll(part);
  }
  capped.setEnd(trace.endCycle);
  QVERIFY(capped.edgeCount() <= 100);
  QVERIFY(capped.edgeCount() >= 50);
  QCOMPARE(capped.droppedEdges() + capped.edgeCount(), full.edgeCount());
  const std::uint64_t from = capped.start();
  QVERIFY(from > 5);
  QCOMPARE(capped.levelAt(0, from), 1);
  for (std::uint64_t c = from; c <= 10000; c += 7) QCOMPARE(capped.levelAt(5, c), full.levelAt(5, c));
  QCOMPARE(capped.signal(5).cycles.back(), full.signal(5).cycles.back());
  capped.clear();
  QCOMPARE(capped.droppedEdges(), std::uint64_t{0});
}

// A BYTE variable chosen in the "Variabili" menu while the chip runs is
// recorded from then on as a bus: its values are the counter's, each change
// names the line that wrote it, and it goes to the .vcd; unchosen, its row
// goes.
void LogicAnalyserTest::byteVariableChosenWhileRunningIsABus() {
  test::Bench bench;
  QVERIFY2(bench.load("DIM N AS BYTE\nDIM M AS BYTE\nDO\n   N = N + 1\n   WAIT 10\nLOOP\nEND\n", false), bench.error.c_str());
  auto* panels = bench.window.findChild<simulator::BenchPanels*>();
  QVERIFY(panels && panels->capture()->available());
  bench.window.resize(1200, 800);
  bench.window.show();
  QVERIFY(bench.runUntilCycles(2000));
  LogicAnalyser* analyser = panels->analyser();
  QMenu* menu = analyser->variablesMenu();
  emit menu->aboutToShow();
  QStringList offered;
  for (QAction* a : menu->actions()) offered << a->text();
  QCOMPARE(offered, (QStringList{QStringLiteral("N"), QStringLiteral("M")}));  // in address order
  const std::uint64_t pausedAt = bench.window.controller().chip().cycles;
  bench.trigger("esegui");
  QVERIFY(QTest::qWaitFor([&] { return bench.window.controller().chip().cycles > pausedAt + 2000; }, 10000));
  menu->actions().at(0)->trigger();
  // Recorded and shown while the chip runs.
  const LogicRecording& recording = panels->capture()->recording();
  QVERIFY(QTest::qWaitFor([&] { return recording.busCount() == 1 && recording.bus(0).size() > 20; }, 10000));
  QVERIFY(bench.window.controller().running());
  QVERIFY(bench.stopAfter("pausa"));

  const LogicRecording::Bus& n = recording.bus(0);
  QCOMPARE(QString::fromStdString(n.name), QStringLiteral("N"));
  QVERIFY(n.cycles.front() > pausedAt + 2000);  // from the moment it was chosen
  for (size_t i = 1; i < n.size(); ++i) QCOMPARE(n.values[i], static_cast<std::uint8_t>(n.values[i - 1] + 1));
  WaveformView* view = analyser->view();
  QCOMPARE(view->rowCount(), LogicRecording::kSignals + 1);
  QCOMPARE(view->busAtRow(LogicRecording::kSignals), 0);
  QCOMPARE(view->basicLineOf(LogicRecording::kSignals, 5), 4);
  QVERIFY2(view->describeEdge(LogicRecording::kSignals, 5).startsWith(QStringLiteral("N = %1 (0x").arg(n.values[5])),
           qPrintable(view->describeEdge(LogicRecording::kSignals, 5)));
  view->fit();
  const QPoint change = At(view, LogicRecording::kSignals, n.cycles[5]);
  QCOMPARE(view->lineAt(change.y()), LogicRecording::kSignals);
  QCOMPARE(view->edgeAt(LogicRecording::kSignals, change.x()).has_value(), true);

  QTemporaryDir dir;
  QString error;
  QVERIFY2(analyser->exportVcd(dir.filePath(QStringLiteral("n.vcd")), &error), qPrintable(error));
  QFile dump(dir.filePath(QStringLiteral("n.vcd")));
  QVERIFY(dump.open(QIODevice::ReadOnly));
  QVERIFY(dump.readAll().contains("$var wire 8 ") );

  emit menu->aboutToShow();
  menu->actions().at(0)->trigger();
  QTRY_COMPARE(view->rowCount(), LogicRecording::kSignals);
  QCOMPARE(panels->capture()->buses(), QStringList());
}

QTEST_MAIN(LogicAnalyserTest)
#include "logic_analyser_test.moc"
