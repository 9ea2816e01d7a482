// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the logic analyser into a PNG: the WAIT blink example run in the
// simulator window for about 1,3 s of chip time, the cursors on one period
// of RB0 (rising edge to rising edge) and the pointer on the first edge.
//
//   velmora_logic_analyser_screenshot OUT.png   (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <cstdio>

#include "bench_panels.h"
#include "logic_analyser.h"
#include "logic_capture.h"
#include "sim_bench.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: velmora_logic_analyser_screenshot FILE.png\n");
    return 2;
  }
  velmora::test::Bench b;
  b.window.resize(1300, 760);
  b.window.show();
  if (!b.load(velmora::test::Example("lampeggio_wait.bas"))) {
    std::fprintf(stderr, "%s\n", b.error.c_str());
    return 1;
  }
  auto* panels = b.window.findChild<velmora::simulator::BenchPanels*>();
  panels->showPanel(panels->analyser());
  if (!b.runUntilCycles(1300000)) return 1;
  const auto& recording = panels->capture()->recording();
  if (!QTest::qWaitFor([&] { return recording.end() >= 1300000; }, 10000)) return 1;
  auto* view = panels->analyser()->view();
  view->fit();
  constexpr int kRB0 = 5;
  const auto period = recording.periodAfter(kRB0, 0);
  if (!period) {
    std::fprintf(stderr, "nessun periodo di RB0 registrato\n");
    return 1;
  }
  view->setCursors(period->first, period->second, kRB0);
  QTest::mouseMove(view, QPoint(static_cast<int>(view->xOf(static_cast<double>(period->first))),
                                view->rowTop(kRB0) + velmora::simulator::WaveformView::kRowHeight / 2));
  QTest::qWait(50);
  if (!b.window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %s\n", argv[1], qPrintable(panels->analyser()->measureText()));
  return 0;
}
