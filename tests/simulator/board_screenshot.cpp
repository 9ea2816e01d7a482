// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the board into a PNG: the button counter example with its board,
// run in the simulator window, the button pressed twice and held the
// second time, so the display shows 2.
//
//   velmora_board_screenshot OUT.png   (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <cstdio>

#include "bench_panels.h"
#include "board_view.h"
#include "sim_bench.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: velmora_board_screenshot FILE.png\n");
    return 2;
  }
  velmora::test::Bench b;
  b.window.resize(1300, 760);
  b.window.show();
  if (!b.load(velmora::test::Example("contatore_pulsante.bas"), false)) {
    std::fprintf(stderr, "%s\n", b.error.c_str());
    return 1;
  }
  auto* panels = b.window.findChild<velmora::simulator::BenchPanels*>();
  auto* board = panels->board();
  velmora::simulator::BoardError error;
  const auto parts = velmora::simulator::ReadBoardFile(
      std::string(VELMORA_SOURCE_DIR) + "/examples/contatore_pulsante.scheda", error);
  if (!parts) {
    std::fprintf(stderr, "%s\n", error.Text().c_str());
    return 1;
  }
  board->setBoard(*parts);
  panels->showPanel(board);
  b.trigger("esegui");
  for (int press = 0; press < 2; ++press) {
    QTest::qWait(150);
    board->pressButton(0, true);
    QTest::qWait(150);
    if (press == 0) board->pressButton(0, false);
  }
  QTest::qWait(200);
  if (!b.window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
    return 1;
  }
  const auto digit = board->displayedDigit(1);
  std::printf("%s: cifra %s\n", argv[1], digit ? std::to_string(*digit).c_str() : "nessuna");
  b.stopAfter("pausa");
  return 0;
}
