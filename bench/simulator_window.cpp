// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the "Simulatore" window (bench/simulator_window drives it).
//
//   bench_simulator_window SECONDS FILE.bas
//
// Translates and assembles FILE.bas, loads it in the window (offscreen) and
// runs it for SECONDS of wall time at each speed, then presses Pausa. One
// row per speed on standard output, tab-separated:
//
//   speed  Mcycles  times-real-time  refreshes/s  longest-gap-ms  pause-ms
//
// "times real time" is the instruction cycles run against those a chip at
// the window's crystal (4 MHz) runs in the same wall time. The longest gap
// is the longest the event loop went without serving a 5 ms timer (how
// long the window could have ignored a click); the pause time runs from
// Pausa to the window being ready for the next command.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "assembler.h"
#include "code_editor.h"
#include "simulator_window.h"
#include "translator.h"

namespace {

using velmora::simulator::SimulatorWindow;

// Serves events until `done` holds or `ms` pass; false on the time limit.
bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return true;
}

struct Row {
  double mcycles = 0, realTime = 0, refreshesPerSecond = 0, longestGapMs = 0, pauseMs = 0;
};

bool Measure(SimulatorWindow& window, int speedIndex, double seconds, Row& row) {
  window.findChild<QComboBox*>(QStringLiteral("velocita"))->setCurrentIndex(speedIndex);
  window.reset();
  if (!WaitFor([&] { return window.controller().ready(); }, 10000)) return false;

  int refreshes = 0;
  const auto counter = QObject::connect(&window, &SimulatorWindow::refreshed, [&] { ++refreshes; });
  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, sinceTick.restart());
  });

  const std::uint64_t startCycles = window.controller().chip().cycles;
  QElapsedTimer wall;
  wall.start();
  sinceTick.start();
  ticker.start(5);
  window.run();
  WaitFor([&] { return wall.elapsed() >= static_cast<qint64>(seconds * 1000) || !window.controller().running(); },
          static_cast<int>(seconds * 1000) + 1000);
  const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
  const bool stillRunning = window.controller().running();
  QElapsedTimer pause;
  pause.start();
  window.pause();
  if (!WaitFor([&] { return window.controller().ready(); }, 10000)) return false;
  row.pauseMs = static_cast<double>(pause.elapsed());
  ticker.stop();
  QObject::disconnect(counter);

  const double cycles = static_cast<double>(window.controller().chip().cycles - startCycles);
  row.mcycles = cycles / 1e6;
  row.realTime = cycles / (elapsed * static_cast<double>(window.frequency()) / 4.0);
  row.refreshesPerSecond = refreshes / elapsed;
  row.longestGapMs = static_cast<double>(longestGap);
  return stillRunning;  // a program that stops early measures nothing
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "uso: bench_simulator_window SECONDI FILE.bas\n");
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  std::ostringstream source;
  source << std::ifstream(argv[2], std::ios::binary).rdbuf();

  velmora::Translator translator;
  const velmora::TranslationResult t = translator.Translate(source.str(), velmora::TranslateOptions{});
  QTemporaryDir dir;
  const velmora::toolchain::AssembleResult a =
      velmora::toolchain::Assemble(dir.path().toStdString(), "prog", velmora::AssemblyFileBytes(t.assembly));
  if (!t.ok || !a.ok) {
    std::fprintf(stderr, "%s: traduzione o assemblaggio non riusciti\n", argv[2]);
    return 1;
  }

  velmora::editor::CodeEditor basic;
  QPlainTextEdit assembly;
  basic.setPlainText(QString::fromStdString(source.str()));
  assembly.setPlainText(QString::fromStdString(t.assembly));
  SimulatorWindow window;
  window.setEditors(&basic, &assembly);
  window.show();
  if (!window.setProgram(QString::fromStdString(a.codPath), QString::fromStdString(t.assembly),
                         t.assemblyLineSources)) {
    std::fprintf(stderr, "%s\n", qPrintable(window.message()));
    return 1;
  }
  const char* const speeds[] = {"tempo-reale", "massima"};
  for (int i = 0; i < 2; ++i) {
    Row row;
    if (!Measure(window, i, seconds, row)) {
      std::fprintf(stderr, "%s: %s\n", speeds[i], qPrintable(window.message()));
      return 1;
    }
    std::printf("%s\t%.1f\t%.2f\t%.1f\t%.0f\t%.0f\n", speeds[i], row.mcycles, row.realTime, row.refreshesPerSecond,
                row.longestGapMs, row.pauseMs);
  }
  return 0;
}
