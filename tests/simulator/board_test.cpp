// SPDX-License-Identifier: GPL-3.0-or-later
// The board: its file (every kind of part read back as written, the
// mistakes named by file and line, a missing file is an empty board), the
// 7-segment digits decoded from the port, and on the real gpasm and gpsim
// the button counter example with its board: pressing the board's button
// changes the counter, and the board's display shows the counter's value.
#include <QTemporaryDir>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "assembler.h"
#include "bench_panels.h"
#include "board_model.h"
#include "board_view.h"
#include "display_wiring.h"
#include "sim_bench.h"
#include "sim_fixture.h"
#include "simulator.h"
#include "translator.h"

using namespace velmora;
using simulator::Board;
using simulator::BoardError;
using simulator::BoardPart;

class BoardTest : public QObject {
  Q_OBJECT

 private slots:
  void fileRoundTrip();
  void malformedFileNamesFileAndLine();
  void digitsDecodedFromThePort();
  void buttonCounterExampleWithItsBoard();
  void boardInTheSimulatorWindow();
  void buttonBounceGivesSeveralEdges();
  void displayLinesChosenFromThePalette();
};

void BoardTest::fileRoundTrip() {
  const std::string text =
      "velmora-scheda 1\r\n# commento\r\n\r\nled 10 20 B0 basso\r\nbarra 0 0 A\r\npulsante 5 6 a3 premuto=0 rimbalzo=5\r\n"
      "interruttore 1 2 B7\r\ndip 3 4 b\r\ndisplay 7 8 anodo a=B0 b=B1 c=B2 d=B3 e=B4 f=B5 g=B6 dp=B7 cifre=A0,A1,A2\r\n"
      "tono 9 9 A4\r\n";
  BoardError error;
  const auto board = simulator::ParseBoard(text, "prova.scheda", error);
  QVERIFY2(board, error.Text().c_str());
  QCOMPARE(board->parts.size(), size_t(7));
  const BoardPart& button = board->parts[2];
  QCOMPARE(button.kind, BoardPart::Kind::Button);
  QCOMPARE(button.pin, (toolchain::Pin{'A', 3}));
  QVERIFY(!button.activeHigh);
  QCOMPARE(button.bounceMs, 5);
  QCOMPARE(board->parts[4].port, 'B');
  QCOMPARE(board->parts[5].digits.size(), size_t(3));
  QVERIFY(board->parts[5].commonAnode);
  QVERIFY(!board->parts[0].activeHigh);
  // Written and read again: the same text.
  const std::string written = simulator::BoardText(*board);
  const auto again = simulator::ParseBoard(written, "prova.scheda", error);
  QVERIFY(again);
  QCOMPARE(simulator::BoardText(*again), written);

  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("PROGRAMMA.scheda")).toStdString();
  QCOMPARE(simulator::BoardPathFor(dir.filePath(QStringLiteral("PROGRAMMA.bas")).toStdString()), path);
  auto missing = simulator::ReadBoardFile(path, error);
  QVERIFY(missing && missing->parts.empty());
  std::string writeError;
  QVERIFY2(simulator::WriteBoardFile(path, *board, writeError), writeError.c_str());
  const auto read = simulator::ReadBoardFile(path, error);
  QVERIFY(read);
  QCOMPARE(simulator::BoardText(*read), written);
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temporary left
}

void BoardTest::malformedFileNamesFileAndLine() {
  const struct {
    const char* text;
    const char* error;
  } rows[] = {
      {"led 1 1 B0\n", "s.scheda:1: la prima riga deve essere \"velmora-scheda 1\""},
      {"velmora-scheda 2\n", "s.scheda:1: la prima riga"},
      {"# solo commenti\n", "s.scheda: manca la riga \"velmora-scheda 1\""},
      {"velmora-scheda 1\nlampada 1 1 B0\n", "s.scheda:2: parte sconosciuta: lampada"},
      {"velmora-scheda 1\n\nled 1 B0\n", "s.scheda:3: posizione non valida per led"},
      {"velmora-scheda 1\nled -1 1 B0\n", "s.scheda:2: posizione non valida"},
      {"velmora-scheda 1\nled 1 1 B8\n", "s.scheda:2: linea non valida per led"},
      {"velmora-scheda 1\nbarra 1 1 C\n", "s.scheda:2: porta non valida per barra"},
      {"velmora-scheda 1\npulsante 1 1 A0 premuto=2\n", "s.scheda:2: opzione non valida per pulsante: premuto=2"},
      {"velmora-scheda 1\nled 1 1 A0 alto\n", "s.scheda:2: opzione non valida per led: alto"},
      {"velmora-scheda 1\ndisplay 1 1 a=B0\n", "s.scheda:2: display: manca catodo o anodo"},
      {"velmora-scheda 1\ndisplay 1 1 catodo a=B0 b=B1 c=B2 d=B3 e=B4 f=B5\n",
       "s.scheda:2: display: manca la linea del segmento g"},
      {"velmora-scheda 1\ndisplay 1 1 catodo a=B0 b=B1 c=B2 d=B3 e=B4 f=B5 g=B6 cifre=A0\n",
       "s.scheda:2: display: da 2 a 4 linee"},
  };
  for (const auto& row : rows) {
    BoardError error;
    QVERIFY2(!simulator::ParseBoard(row.text, "s.scheda", error), row.text);
    QVERIFY2(error.Text().rfind(row.error, 0) == 0, (row.text + std::string(" -> ") + error.Text()).c_str());
  }
}

void BoardTest::digitsDecodedFromThePort() {
  BoardError error;
  const auto board = simulator::ParseBoard(
      "velmora-scheda 1\ndisplay 0 0 catodo a=B0 b=B1 c=B2 d=B3 e=B4 f=B5 g=B6 dp=B7\n"
      "display 0 0 anodo a=A0 b=A1 c=A2 d=A3 e=A4 f=B6 g=B7 cifre=B0,B1\n",
      "d.scheda", error);
  QVERIFY(board);
  const BoardPart& cathode = board->parts[0];
  const BoardPart& anode = board->parts[1];
  const int patterns[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  for (int digit = 0; digit < 10; ++digit) {
    const int p = patterns[digit];
    QCOMPARE(simulator::DecodeDigit(simulator::LitSegments(cathode, 0, p | 0x80)), std::optional<int>(digit));
    // Common anode: lit where the line is low, the segments on both ports.
    const int portA = ~p & 0x1F, portB = (((~p >> 5) & 1) << 6) | (((~p >> 6) & 1) << 7) | 0x01;
    QCOMPARE(simulator::DecodeDigit(simulator::LitSegments(anode, portA, portB)), std::optional<int>(digit));
    QVERIFY(simulator::DigitSelected(anode, 0, portA, portB));  // B0 high selects a common-anode digit
    QVERIFY(!simulator::DigitSelected(anode, 1, portA, portB));
  }
  QCOMPARE(simulator::DecodeDigit(0x00), std::nullopt);
  QCOMPARE(simulator::DecodeDigit(0x49), std::nullopt);
}

// The example's board: the button on A0 pressed (premuto=1) three times
// and released, as the board's presses become timed input changes; the
// display decodes PORTB as the counter's value.
void BoardTest::buttonCounterExampleWithItsBoard() {
  BoardError error;
  const auto board =
      simulator::ReadBoardFile(std::string(VELMORA_SOURCE_DIR) + "/examples/contatore_pulsante.scheda", error);
  QVERIFY2(board && board->parts.size() == 2, error.Text().c_str());
  const BoardPart& button = board->parts[0];
  const BoardPart& display = board->parts[1];
  QCOMPARE(button.kind, BoardPart::Kind::Button);
  QCOMPARE(display.kind, BoardPart::Kind::Display);

  const std::string source = test::ReadFile(std::string(VELMORA_SOURCE_DIR) + "/examples/contatore_pulsante.bas");
  const TranslationResult t = Translator().Translate(source, TranslateOptions{});
  QVERIFY2(t.ok, t.assembly.c_str());
  QTemporaryDir dir;
  const auto a = toolchain::Assemble(dir.path().toStdString(), "contatore", AssemblyFileBytes(t.assembly));
  QVERIFY2(a.ok, a.error.c_str());

  for (int presses : {0, 3, 11}) {
    toolchain::SimulationOptions options;
    options.cycles = 5000 + 6000 * static_cast<std::uint64_t>(presses);
    options.modulePath = toolchain::VelmoraModulePath();
    options.pins = {{button.pin, !button.activeHigh}};  // released
    for (int i = 0; i < presses; ++i) {
      const std::uint64_t at = 3000 + 6000 * static_cast<std::uint64_t>(i);
      options.stimuli.push_back({at, button.pin, button.activeHigh, 0});
      options.stimuli.push_back({at + 3000, button.pin, !button.activeHigh, 0});
    }
    const toolchain::SimulationResult r = toolchain::Simulate(a.codPath, options);
    QVERIFY2(r.ok, r.error.c_str());
    const auto variables = toolchain::ReadEquates(t.assembly);
    const auto conta = std::find_if(variables.begin(), variables.end(), [](const auto& v) { return v.name == "CONTA"; });
    QVERIFY(conta != variables.end());
    QCOMPARE(r.chip.registers[static_cast<size_t>(conta->address)], presses % 10);
    QCOMPARE(simulator::DecodeDigit(simulator::LitSegments(display, r.chip.PortA(), r.chip.PortB())),
             std::optional<int>(presses % 10));
  }
}

// The board tab while the chip runs: key 1 presses the board's first
// button, the counter counts and the display shows it; a button on a line
// the program drives is a conflict; a malformed board file leaves the
// board empty with the file and the line in the message.
void BoardTest::boardInTheSimulatorWindow() {
  test::Bench bench;
  QVERIFY2(bench.load(test::Example("contatore_pulsante.bas"), false), bench.error.c_str());
  auto* panels = bench.window.findChild<simulator::BenchPanels*>();
  simulator::BoardView* board = panels->board();
  BoardError error;
  auto parts = simulator::ReadBoardFile(std::string(VELMORA_SOURCE_DIR) + "/examples/contatore_pulsante.scheda", error);
  QVERIFY(parts);
  BoardPart wrong = parts->parts[0];  // a second button, on B3: an output of the program
  wrong.pin = {'B', 3};
  parts->parts.push_back(wrong);
  board->setBoard(*parts);
  bench.window.show();
  panels->showPanel(board);
  bench.trigger("esegui");
  QVERIFY(QTest::qWaitFor([&] { return board->displayedDigit(1) == std::optional<int>(0); }, 10000));
  for (int press = 1; press <= 2; ++press) {
    QTest::keyPress(board, Qt::Key_1);
    QVERIFY(QTest::qWaitFor([&] { return board->displayedDigit(1) == std::optional<int>(press); }, 10000));
    QTest::keyRelease(board, Qt::Key_1);
    QTest::qWait(100);
  }
  QVERIFY(bench.stopAfter("pausa"));
  QCOMPARE(bench.variable(QStringLiteral("CONTA"), 2), QStringLiteral("2"));
  QVERIFY(!board->conflict(0));
  QVERIFY(board->conflict(2));

  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("PROGRAMMA.scheda")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("velmora-scheda 1\nled 10 10 B0\nled 10 10 B9\n");
  file.close();
  board->loadFor(dir.filePath(QStringLiteral("PROGRAMMA.cod")));
  QVERIFY(board->board().parts.empty());
  QVERIFY2(board->message().contains(file.fileName() + QStringLiteral(":3: linea non valida per led")),
           qPrintable(board->message()));
  QVERIFY(bench.stopAfter("esegui", 2000) || bench.window.controller().running());  // the program still runs
}

// A button with a 20 ms bounce, pressed once: the counter (reading its
// line about every millisecond) sees three presses, one for each time the
// bouncing line goes back up; the same button without bounce counts one.
void BoardTest::buttonBounceGivesSeveralEdges() {
  for (const int bounce : {0, 20}) {
    test::Bench bench;
    QVERIFY2(bench.load(test::Example("contatore_pulsante.bas"), false), bench.error.c_str());
    auto* panels = bench.window.findChild<simulator::BenchPanels*>();
    simulator::BoardView* board = panels->board();
    BoardError error;
    auto parts = simulator::ReadBoardFile(std::string(VELMORA_SOURCE_DIR) + "/examples/contatore_pulsante.scheda", error);
    QVERIFY(parts);
    parts->parts[0].bounceMs = bounce;
    board->setBoard(*parts);
    bench.window.show();
    panels->showPanel(board);
    bench.trigger("esegui");
    QVERIFY(QTest::qWaitFor([&] { return board->displayedDigit(1) == std::optional<int>(0); }, 10000));
    board->pressButton(0, true);
    QVERIFY(QTest::qWaitFor([&] { return board->displayedDigit(1) == std::optional<int>(bounce ? 3 : 1); }, 10000));
    QTest::qWait(300);  // no further count comes
    QVERIFY(bench.stopAfter("pausa"));
    QCOMPARE(bench.variable(QStringLiteral("CONTA"), 2), QString::number(bounce ? 3 : 1));
  }
}

// A display from the palette opens the choice of its lines: a segment moved
// to another line, the point left out, two digits with their select lines;
// what was chosen is the part on the board and in its file.
void BoardTest::displayLinesChosenFromThePalette() {
  test::Bench bench;
  QVERIFY2(bench.load(test::Example("contatore_7seg.bas"), false), bench.error.c_str());
  simulator::BoardView* board = bench.window.findChild<simulator::BenchPanels*>()->board();
  board->setBoard({});
  auto* palette = board->findChild<QComboBox*>(QStringLiteral("parti"));
  palette->setCurrentIndex(7);
  for (QPushButton* b : board->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("Aggiungi")) b->click();
  auto* dialog = board->findChild<simulator::DisplayWiringDialog*>();
  QVERIFY(dialog);
  dialog->findChild<QComboBox*>(QStringLiteral("segmento_a"))->setCurrentText(QStringLiteral("A1"));
  dialog->findChild<QComboBox*>(QStringLiteral("segmento_dp"))->setCurrentText(QStringLiteral("nessuna"));
  dialog->findChild<QSpinBox*>(QStringLiteral("cifre"))->setValue(2);
  dialog->findChild<QComboBox*>(QStringLiteral("cifra_1"))->setCurrentText(QStringLiteral("B7"));
  dialog->findChild<QComboBox*>(QStringLiteral("cifra_2"))->setCurrentText(QStringLiteral("A4"));
  dialog->accept();
  QCOMPARE(board->board().parts.size(), size_t{1});
  const BoardPart& d = board->board().parts[0];
  QCOMPARE(d.segments[0], std::optional<toolchain::Pin>(toolchain::Pin{'A', 1}));
  QCOMPARE(d.segments[1], std::optional<toolchain::Pin>(toolchain::Pin{'B', 1}));
  QVERIFY(!d.segments[7]);
  QCOMPARE(d.digits, (std::vector<toolchain::Pin>{{'B', 7}, {'A', 4}}));
  BoardError error;
  const auto back = simulator::ParseBoard(simulator::BoardText(board->board()), "x", error);
  QVERIFY2(back, error.Text().c_str());
  QCOMPARE(back->parts[0].segments, d.segments);
  QCOMPARE(back->parts[0].digits, d.digits);
}

QTEST_MAIN(BoardTest)
#include "board_test.moc"
