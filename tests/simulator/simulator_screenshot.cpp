// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the simulator window into a PNG: the B0 interrupt example, with
// the B0 input held high, stopped at a breakpoint inside the interrupt
// routine just after it lit A1 (A0 already lit by the main loop).
//
//   velmora_simulator_screenshot OUT.png   (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <cstdio>

#include "sim_bench.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: velmora_simulator_screenshot FILE.png\n");
    return 2;
  }
  velmora::test::Bench b;
  b.window.resize(1300, 700);
  b.window.show();
  if (!b.load(velmora::test::Example("interrupt_b0.bas"))) {
    std::fprintf(stderr, "%s\n", b.error.c_str());
    return 1;
  }
  b.basic.setBreakpoints({25});
  if (!b.stopAfter("esegui") || !b.stopAfter("passo")) return 1;  // to SET A0, then A0 lit
  b.basic.setBreakpoints({37});
  b.led(QStringLiteral("B0"))->click();  // rising edge on B0
  if (!b.stopAfter("esegui")) return 1;
  QTest::qWait(50);
  if (!b.window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %s\n", argv[1], qPrintable(b.window.message()));
  return 0;
}
