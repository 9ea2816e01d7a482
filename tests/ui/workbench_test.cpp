// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench: the menus' named actions and their keys, the bench docked
// beside the panes (focus, remembered state), a bench that never shows a
// program other than the editor's, and gpsim ending with the program even
// on kill -9. On the real gpasm and gpsim, offscreen.
#include <signal.h>
#include <sys/types.h>

#include <QDockWidget>
#include <QMenuBar>
#include <QToolButton>

#include "code_editor.h"
#include "examples_window.h"
#include "main_window.h"
#include "simulator_window.h"
#include "window_test.h"

using namespace velmora::ui;
using velmora::editor::CodeEditor;
using velmora::simulator::SimulatorWindow;

namespace {

using namespace velmora::test;

QString Esempio(const char* nome) {
  return QString::fromUtf8(Leggi(QStringLiteral(VELMORA_SOURCE_DIR "/examples/") + QLatin1String(nome)));
}

QSet<int> Accese(MainWindow& w) { return w.TextBasic()->highlightedLines(CodeEditor::LineRole::Running); }

// F9 on `testo`, saved as `file`, until the bench is stopped at a breakpoint
// on `riga` (or, with riga 0, running).
bool FinoAlPunto(MainWindow& w, const QString& file, const QString& testo, int riga) {
  w.FileCorrente() = file;
  w.TextBasic()->setPlainText(testo);
  if (riga > 0) w.TextBasic()->toggleBreakpoint(riga);
  w.Simula();
  return QTest::qWaitFor(
      [&] {
        SimulatorWindow* s = w.Simulatore();
        if (!s) return false;
        return riga > 0 ? s->controller().ready() && s->controller().currentBasicLine() == riga
                        : s->controller().running();
      },
      30000);
}

// The pids of the gpsim processes whose parent is `genitore`.
QList<int> GpsimDi(qint64 genitore) {
  QList<int> pid;
  for (const QString& voce : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool numero = false;
    const int p = voce.toInt(&numero);
    if (!numero) continue;
    const QByteArray stat = Leggi(QStringLiteral("/proc/%1/stat").arg(p));
    const int fine = stat.lastIndexOf(')');
    if (fine < 0 || !stat.mid(stat.indexOf('(') + 1, fine - stat.indexOf('(') - 1).startsWith("gpsim")) continue;
    const QList<QByteArray> campi = stat.mid(fine + 2).split(' ');
    if (campi.size() > 1 && campi[0] != "Z" && campi[1].toLongLong() == genitore) pid << p;
  }
  return pid;
}

bool Vivo(int pid) {
  const QByteArray stat = Leggi(QStringLiteral("/proc/%1/stat").arg(pid));
  if (stat == "<assente>") return false;
  return stat.mid(stat.lastIndexOf(')') + 2, 1) != "Z";
}

}  // namespace

class WorkbenchTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString lavoro_;
  std::unique_ptr<Registro> r_;

 private slots:
  void init() { r_ = NuovoLavoro(radice_, lavoro_); }

  // Every command is a named action in its menu, with its key; no key means
  // two things anywhere in the window (the simulator's keys included).
  void azioniEMenu_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("tasto");
    const char* const righe[][3] = {
        {"&File", "nuovo", "Ctrl+N"},          {"&File", "apri", "Ctrl+O"},
        {"&File", "salva", "Ctrl+S"},          {"&File", "salva_con_nome", "Ctrl+Shift+S"},
        {"&File", "stampa", "Ctrl+P"},         {"&File", "esci", "Ctrl+Q"},
        {"&Programma", "traduci", "F5"},       {"&Programma", "assembla", "F6"},
        {"&Programma", "simula", "F9"},        {"&Simulazione", "esegui", "F7"},
        {"&Simulazione", "pausa", "Shift+F7"}, {"&Simulazione", "passo", "F10"},
        {"&Simulazione", "passo_sopra", "Shift+F10"}, {"&Simulazione", "esci_sub", "Ctrl+F10"},
        {"&Simulazione", "passo_istruzione", "F11"},  {"&Simulazione", "fino_al_cursore", "F4"},
        {"&Simulazione", "reset", "Shift+F9"},        {"&Simulazione", "punto_interruzione", "F8"},
        {"S&trumenti", "calcolatore_timer", ""},      {"S&trumenti", "calcolatore_wait", ""},
        {"S&trumenti", "backup", ""},                 {"S&trumenti", "impostazioni", ""},
        {"&Aiuto", "help", "F1"},                     {"&Aiuto", "guida", ""},
        {"&Aiuto", "esempi", ""},
    };
    for (const auto& r : righe) QTest::newRow(r[1]) << r[0] << r[1] << r[2];
  }
  void azioniEMenu() {
    QFETCH(QString, menu);
    QFETCH(QString, azione);
    QFETCH(QString, tasto);
    MainWindow w(r_->ambiente);
    QAction* a = w.Azione(azione);
    QVERIFY(a);
    QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), tasto);
    QMenu* m = nullptr;
    for (QAction* voce : w.menuBar()->actions())
      if (voce->text() == menu) m = voce->menu();
    QVERIFY(m && m->actions().contains(a));
    QStringList tasti;
    for (QAction* altra : w.findChildren<QAction*>())
      if (!altra->shortcut().isEmpty()) tasti << altra->shortcut().toString();
    QCOMPARE(tasti.count(a->shortcut().toString()), tasto.isEmpty() ? 0 : 1);
  }

  // F9 from the editor: the bench opens docked on the right of the panes,
  // floatable and closable, with the keyboard on its run controls (not the
  // crystal field); its actions carry no keys of their own (the window's
  // do), so F7 from the editor runs it. Closing the dock pauses the run and
  // leaves nothing lit, also when a stop arrives after; the next start
  // shows the dock where it was.
  void bancoAgganciato() {
    const QString file = radice_.filePath(QStringLiteral("io.bas"));
    {
      MainWindow w(r_->ambiente);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QVERIFY(FinoAlPunto(w, file, Esempio("configurazione_io.bas"), 17));
      SimulatorWindow* sim = w.Simulatore();
      QVERIFY(sim->parentWidget() == w.Banco() && !sim->isWindow());
      QCOMPARE(w.dockWidgetArea(w.Banco()), Qt::RightDockWidgetArea);
      QVERIFY(!w.Banco()->isFloating() && w.Banco()->isVisible());
      QVERIFY(w.Banco()->features().testFlags(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable));
      QVERIFY2(w.TextBasic()->isVisible() && w.TextBasic()->width() > 250, qPrintable(QStringLiteral("%1 %2 %3 %4").arg(w.TextBasic()->width()).arg(w.Banco()->width()).arg(w.width()).arg(sim->minimumSizeHint().width())));
      // On Esegui, or on Pausa once the run started and Esegui went grey.
      auto* focus = qobject_cast<QToolButton*>(QApplication::focusWidget());
      QVERIFY2(focus && sim->isAncestorOf(focus) && focus->defaultAction(),
               qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() +
                                                            QStringLiteral(" ") + QApplication::focusWidget()->objectName()
                                                      : QStringLiteral("nessuno")));
      QVERIFY2(QStringList({"esegui", "pausa"}).contains(focus->defaultAction()->objectName()),
               qPrintable(focus->defaultAction()->objectName()));
      for (QAction* a : sim->actions()) QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
      QCOMPARE(Accese(w), QSet<int>{17});

      // The layout stays put: a long message and growing times move
      // neither the LEDs nor the window.
      QWidget* a0 = sim->findChild<QWidget*>(QStringLiteral("pin_A0"));
      const QPoint posto = a0->mapTo(&w, QPoint());
      const QSize dimensione = w.size();
      sim->showProblem(QString(20, QLatin1Char(' ')).replace(QLatin1Char(' '), QStringLiteral("messaggio lungo ")));

      w.TextBasic()->toggleBreakpoint(17);
      w.TextBasic()->setFocus();
      QTest::keyClick(w.TextBasic(), Qt::Key_F7);
      QTRY_VERIFY_WITH_TIMEOUT(sim->controller().running(), 10000);
      QTRY_VERIFY_WITH_TIMEOUT(sim->controller().chip().cycles > 100000, 10000);
      QCOMPARE(a0->mapTo(&w, QPoint()), posto);
      QCOMPARE(w.size(), dimensione);
      w.Banco()->close();
      QTRY_VERIFY_WITH_TIMEOUT(sim->controller().ready(), 10000);
      QTest::qWait(100);
      QCOMPARE(Accese(w), QSet<int>{});
      w.close();
    }
    MainWindow w(r_->ambiente);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.Banco()->isVisible());
    w.Azione(QStringLiteral("mostra_banco"))->trigger();
    w.close();
    MainWindow w2(r_->ambiente);
    w2.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w2));
    QTRY_VERIFY(w2.Banco()->isVisible() && w2.Simulatore());
  }

  // The bench never shows another program: stopped at a breakpoint, an
  // edit (a new variable, a line moved down), Apri of another file and
  // Clear each mark it changed with nothing lit; Esegui then translates,
  // assembles and runs the text as it is now (the new variable shown, the
  // breakpoint on its new line), and a translation error puts the cursor
  // on its line and runs nothing.
  void bancoMaiSuperato() {
    const QString file = radice_.filePath(QStringLiteral("io.bas"));
    MainWindow w(r_->ambiente);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(FinoAlPunto(w, file, Esempio("configurazione_io.bas"), 17));
    SimulatorWindow* sim = w.Simulatore();
    auto* variabili = sim->findChild<QTableWidget*>(QStringLiteral("variabili"));
    QCOMPARE(variabili->rowCount(), 0);

    // Edited while paused: two lines more on top, the breakpoint moves with RESET B5.
    QTextCursor inizio(w.TextBasic()->document());
    inizio.insertText(QStringLiteral("DIM CONTA AS BYTE\nCONTA = 7\n"));
    QVERIFY(sim->stale() && w.BancoSuperato());
    QCOMPARE(Accese(w), QSet<int>{});
    QVERIFY(w.TextBasic()->breakpoints().contains(19));
    const QByteArray hexPrima = Leggi(radice_.filePath(QStringLiteral("io.hex")));
    QVERIFY(w.Azione(QStringLiteral("esegui"))->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);  // the focus is still on the bench
    QTRY_VERIFY2_WITH_TIMEOUT(!sim->stale() && sim->controller().ready() && sim->controller().currentBasicLine() == 19,
                              qPrintable(r_->messaggi.join('|') + sim->message()), 30000);
    QCOMPARE(Accese(w), QSet<int>{19});
    QCOMPARE(variabili->rowCount(), 1);
    QCOMPARE(variabili->item(0, 0)->text(), QStringLiteral("CONTA"));
    QCOMPARE(variabili->item(0, 2)->text(), QStringLiteral("7"));
    QVERIFY(Leggi(radice_.filePath(QStringLiteral("io.hex"))) != hexPrima);
    QVERIFY(!w.BancoSuperato());

    // A translation error: the cursor on its line, nothing runs or lights.
    QTextCursor fine(w.TextBasic()->document());
    fine.movePosition(QTextCursor::End);
    fine.insertText(QStringLiteral("\nFOO BAR\n"));
    const int rigaErrore = w.TextBasic()->blockCount() - 1;
    r_->messaggi.clear();
    w.Azione(QStringLiteral("passo"))->trigger();
    QCOMPARE(r_->messaggi.size(), 1);
    QCOMPARE(w.TextBasic()->currentLine(), rigaErrore);
    QVERIFY(sim->stale() && !sim->controller().running());
    QCOMPARE(Accese(w), QSet<int>{});

    // Apri of another file and Clear: changed, nothing lit.
    const QString altro = radice_.filePath(QStringLiteral("altro.bas"));
    Scrivi(altro, Esempio("lettura_linee_a.bas").toUtf8());
    r_->Risposte({false});
    w.ApriFile(altro);
    QVERIFY(sim->stale());
    QCOMPARE(Accese(w), QSet<int>{});
    w.NuovoProgramma();
    QVERIFY(sim->stale() && w.BancoSuperato());
  }

  // "Apri nell'editor" in the examples window: the example the cursor is
  // in (its own lines and the comment box after it) goes into the editor,
  // after the question on a changed text.
  void esempioNellEditor() {
    const QStringList righe = velmora::tools::TestoEsempi().split(QStringLiteral("\r\n"));
    for (int i = 0; i < velmora::tools::FileEsempi().size(); ++i) {
      const QStringList proprie =
          velmora::tools::TestoEsempio(velmora::tools::FileEsempi()[i]).split(QLatin1Char('\n'));
      const int prima = static_cast<int>(righe.indexOf(proprie[1])) - 1;  // its title line is its own
      QVERIFY(prima > 0 && righe[prima] == proprie[0]);
      QCOMPARE(velmora::tools::ExamplesWindow::EsempioAllaRiga(prima), i);
      QCOMPARE(velmora::tools::ExamplesWindow::EsempioAllaRiga(prima + static_cast<int>(proprie.size()) + 2), i);
    }
    MainWindow w(r_->ambiente);
    w.TextBasic()->setPlainText(QStringLiteral("END\n"));
    r_->Risposte({false});
    NelDialogo([](QDialog* d) {
      auto* testo = Figlio<QPlainTextEdit>(*d, QStringLiteral("Text1"));
      QTextCursor c(testo->document()->findBlockByNumber(
          static_cast<int>(velmora::tools::TestoEsempi().split(QStringLiteral("\r\n")).indexOf(QStringLiteral("ON EXTERNAL INTERRUPT CALL CAMBIA_A1   ' B0 chiama CAMBIA_A1 (fronte di salita)")))));
      testo->setTextCursor(c);
      Figlio<QPushButton>(*d, QStringLiteral("ApriNellEditor"))->click();
    });
    w.ApriEsempi();
    QCOMPARE(r_->domande.size(), 1);
    QCOMPARE(SenzaCr(w.TextBasic()->toPlainText()), SenzaCr(velmora::tools::TestoEsempio(QStringLiteral("interrupt_b0.bas"))));
    QVERIFY(w.FileCorrente().isEmpty() && w.FlagTestoModificato() == 0);
  }

  // kill -9 of a program that simulates: its gpsim ends with it, at once.
  void gpsimMuoreConLaFinestra() {
    QProcess figlio;
    figlio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    figlio.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--figlio-che-simula"), radice_.path()});
    QVERIFY(figlio.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return figlio.readAllStandardOutput().contains("simula"); }, 40000) ||
            figlio.readAllStandardOutput().contains("simula"));
    QList<int> gpsim;
    QTRY_VERIFY_WITH_TIMEOUT(!(gpsim = GpsimDi(figlio.processId())).isEmpty(), 5000);
    QVERIFY(Vivo(gpsim[0]));
    ::kill(static_cast<pid_t>(figlio.processId()), SIGKILL);
    QVERIFY(figlio.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(!Vivo(gpsim[0]), 2000);
  }
};

// The child of gpsimMuoreConLaFinestra: a main window simulating an endless
// loop, which says so on standard output and waits to be killed.
static int FiglioCheSimula(int argc, char* argv[]) {
  QApplication app(argc, argv);
  Registro r(QString::fromLocal8Bit(argv[2]));
  MainWindow w(r.ambiente);
  w.show();
  if (!FinoAlPunto(w, QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("ciclo.bas")),
                   Esempio("configurazione_io.bas"), 0))
    return 1;
  std::printf("simula\n");
  std::fflush(stdout);
  return QApplication::exec();
}

int main(int argc, char* argv[]) {
  if (argc == 3 && qstrcmp(argv[1], "--figlio-che-simula") == 0) return FiglioCheSimula(argc, argv);
  QApplication app(argc, argv);
  WorkbenchTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "workbench_test.moc"
