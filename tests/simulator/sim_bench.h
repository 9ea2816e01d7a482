// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator window with its two panes, loaded with a translated and
// assembled program and ready to run, for the window test and the
// screenshot helper.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "code_editor.h"
#include "pin_led.h"
#include "assembler.h"
#include "sim_fixture.h"
#include "simulator_window.h"
#include "translator.h"

namespace velmora::test {

struct Bench {
  QTemporaryDir dir;
  editor::CodeEditor basic;
  QPlainTextEdit assembly;
  simulator::SimulatorWindow window;
  std::string error;  // translation or assembly failure

  // Translates (with the BASIC line of each assembly line), assembles with
  // gpasm and loads the program; `fast`: the fastest speed, else real time.
  bool load(const std::string& source, bool fast = true) {
    const TranslationResult t = Translator().Translate(source, TranslateOptions{});
    const toolchain::AssembleResult a =
        t.ok ? toolchain::Assemble(dir.path().toStdString(), "prog", AssemblyFileBytes(t.assembly))
             : toolchain::AssembleResult{};
    error = !t.ok ? "traduzione: " + t.assembly : a.ok ? std::string() : "gpasm: " + a.error;
    if (!a.ok) return false;
    basic.setPlainText(QString::fromStdString(source));
    assembly.setPlainText(QString::fromStdString(t.assembly));
    window.setEditors(&basic, &assembly);
    window.findChild<QComboBox*>(QStringLiteral("velocita"))->setCurrentIndex(fast ? 1 : 0);
    return window.setProgram(QString::fromStdString(a.codPath), QString::fromStdString(t.assembly),
                             t.assemblyLineSources) &&
           ready();
  }
  bool ready(int ms = 10000) {
    return QTest::qWaitFor([this] { return window.controller().ready(); }, ms);
  }
  void trigger(const char* action) { window.findChild<QAction*>(QLatin1String(action))->trigger(); }
  // Triggers an action and waits for the stop it leads to.
  bool stopAfter(const char* action, int ms = 20000) {
    trigger(action);
    return ready(ms);
  }
  simulator::PinLed* led(const QString& name) { return window.findChild<simulator::PinLed*>(QStringLiteral("pin_") + name); }
  bool runUntilCycles(std::uint64_t cycles) {
    trigger("esegui");
    const bool reached =
        QTest::qWaitFor([&] { return window.controller().chip().cycles >= cycles || !window.controller().running(); }, 30000);
    return stopAfter("pausa") && reached;
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

inline std::string Example(const char* name) {
  return ReadFile(std::string(VELMORA_SOURCE_DIR) + "/examples/" + name);
}

}  // namespace velmora::test
