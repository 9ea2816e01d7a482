// Renders the simulator window into a PNG: the B0 interrupt example, with
// the B0 input held high, stopped at a breakpoint inside the interrupt
// routine just after it lit A1 (A0 already lit by the main loop).
//
//   velmora_simulator_screenshot OUT.png   (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "code_editor.h"
#include "pin_led.h"
#include "sim_fixture.h"
#include "simulator_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: velmora_simulator_screenshot FILE.png\n");
    return 2;
  }
  QTemporaryDir dir;
  const std::string source = velmora::test::ReadFile(std::string(VELMORA_SOURCE_DIR) + "/examples/interrupt_b0.bas");
  const velmora::test::ReadyProgram p = velmora::test::PrepareProgram(source, dir.path().toStdString());
  if (!p.ok) {
    std::fprintf(stderr, "%s\n", p.error.c_str());
    return 1;
  }
  velmora::editor::CodeEditor basic;
  QPlainTextEdit assembly;
  basic.setPlainText(QString::fromStdString(source));
  assembly.setPlainText(QString::fromStdString(p.assembly));
  velmora::simulator::SimulatorWindow window;
  window.setEditors(&basic, &assembly);
  window.findChild<QComboBox*>(QStringLiteral("velocita"))->setCurrentIndex(1);
  window.resize(1300, 700);
  window.show();
  auto& sim = window.controller();
  const auto wait = [&] { return QTest::qWaitFor([&] { return sim.ready(); }, 20000); };
  if (!window.setProgram(QString::fromStdString(p.codPath), QString::fromStdString(p.assembly), p.asmToBasic) || !wait())
    return 1;
  basic.setBreakpoints({25});
  window.run();  // to SET A0
  if (!wait()) return 1;
  window.stepLine();  // A0 lit
  if (!wait()) return 1;
  basic.setBreakpoints({37});
  window.findChild<velmora::simulator::PinLed*>(QStringLiteral("pin_B0"))->click();  // rising edge on B0
  window.run();
  if (!wait()) return 1;
  QTest::qWait(50);
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %s\n", argv[1], qPrintable(window.message()));
  return 0;
}
