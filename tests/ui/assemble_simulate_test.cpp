// The main window's "Assembla" (F6) and F9 on the real gpasm and gpsim,
// offscreen: the files beside the BASIC file or in the work folder, gpasm's
// errors in the message box, a missing gpasm, and F9 from a BASIC file to
// one simulator window stopped at a margin breakpoint and then running.
#include "main_window.h"
#include "pin_led.h"
#include "process.h"
#include "simulator_window.h"
#include "translator.h"
#include "window_test.h"

using namespace velmora::ui;
using velmora::simulator::PinLed;
using velmora::simulator::SimulatorWindow;

namespace {

using namespace velmora::test;

QString Esempio(const char* nome) {
  return QString::fromUtf8(Leggi(QStringLiteral(VELMORA_SOURCE_DIR "/examples/") + QLatin1String(nome)));
}

}  // namespace

class AssembleSimulateTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString lavoro_;
  std::unique_ptr<Registro> r_;

 private slots:
  void init() { r_ = NuovoLavoro(radice_, lavoro_); }

  // F6 translates when needed and assembles without blocking the window;
  // the files land beside the file (or in the work folder), and a hand edit
  // of the assembly pane is what gets assembled.
  void assembla_data() {
    QTest::addColumn<bool>("salvato");
    QTest::addColumn<QString>("rigaAggiunta");  // put into the assembly pane before F6
    QTest::addColumn<bool>("riuscito");
    QTest::newRow("file salvato") << true << QString() << true;
    QTest::newRow("mai salvato: cartella di lavoro") << false << QString() << true;
    QTest::newRow("errore di gpasm") << true << "        FOO 1" << false;
  }
  void assembla() {
    QFETCH(bool, salvato);
    QFETCH(QString, rigaAggiunta);
    QFETCH(bool, riuscito);
    const QString cartella = salvato ? radice_.path() : lavoro_;
    const QString base = QDir(cartella).filePath(salvato ? QStringLiteral("prova") : QStringLiteral("programma"));
    MainWindow w(r_->ambiente);
    if (salvato) w.FileCorrente() = base + QStringLiteral(".bas");
    w.TextBasic()->setPlainText(Esempio("lettura_linee_a.bas"));
    if (!rigaAggiunta.isEmpty()) {
      w.Command1();
      r_->messaggi.clear();
      w.TextASM()->moveCursor(QTextCursor::Start);
      w.TextASM()->insertPlainText(rigaAggiunta + QLatin1Char('\n'));
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F6);
    // gpasm runs on a worker thread: the key press has returned meanwhile.
    QVERIFY(w.Assemblando());
    QCOMPARE(qobject_cast<QPushButton*>(w.Controllo(QStringLiteral("Assembla")))->text(), QStringLiteral("Attendere..."));
    QTRY_VERIFY_WITH_TIMEOUT(!w.Assemblando(), 30000);
    QCOMPARE(r_->messaggi.size(), 1);
    const QString messaggio = r_->messaggi[0];
    QCOMPARE(SenzaCr(QString::fromUtf8(Leggi(base + QStringLiteral(".asm")))), w.TextASM()->toPlainText() + QLatin1Char('\n'));
    QCOMPARE(Leggi(QDir(cartella).filePath(QStringLiteral("PIC16F84.DEF"))),
             QByteArray::fromStdString(velmora::DefinitionsFileBytes()));
    QCOMPARE(QFile::exists(base + QStringLiteral(".hex")), riuscito);
    QCOMPARE(QFile::exists(base + QStringLiteral(".cod")), riuscito);
    if (riuscito) {
      QVERIFY2(messaggio.startsWith(QStringLiteral("Assemblaggio riuscito: ") + base + QStringLiteral(".hex")),
               qPrintable(messaggio));
    } else {
      QVERIFY2(messaggio.startsWith(QStringLiteral("Assemblaggio non riuscito")), qPrintable(messaggio));
      QVERIFY2(messaggio.contains(QStringLiteral("Error")) && messaggio.contains(QStringLiteral("FOO")), qPrintable(messaggio));
    }
    if (!rigaAggiunta.isEmpty()) QVERIFY(w.TextASM()->toPlainText().startsWith(rigaAggiunta));
  }

  // No gpasm on PATH: the message naming the package, and nothing else (no
  // translation, no file, no simulator), for F6 and F9 alike.
  void gpasmMancante() {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", radice_.filePath(QStringLiteral("vuota")).toUtf8());
    const QString file = radice_.filePath(QStringLiteral("prova.bas"));
    MainWindow w(r_->ambiente);
    w.FileCorrente() = file;
    w.TextBasic()->setPlainText(Esempio("configurazione_io.bas"));
    w.Assembla();
    w.Simula();
    qputenv("PATH", path);
    const QString atteso = QString::fromStdString(velmora::toolchain::MissingToolMessage("gpasm"));
    QVERIFY(atteso.contains(QStringLiteral("gputils")));
    QCOMPARE(r_->messaggi, (QStringList{atteso, atteso}));
    QVERIFY(!w.Assemblando());
    QCOMPARE(w.TextASM()->toPlainText(), QString());
    QCOMPARE(QDir(radice_.path()).entryList(QDir::Files), QStringList{});
    QVERIFY(!w.Simulatore());
  }

  // F9 alone: translated, assembled beside the file, one "Simulatore" window
  // at the TMR0 calculator's crystal, stopped at the margin's breakpoint on
  // RESET B5 (A0 starts low); A0 clicked high then lights B5. A second F9
  // reuses the window; it closes with the main window.
  void f9ApreIlSimulatoreEEsegue() {
    const QString file = radice_.filePath(QStringLiteral("io.bas"));
    MainWindow w(r_->ambiente);
    w.Valori().ValoreFrequenza = QStringLiteral("3.2768");
    w.FileCorrente() = file;
    w.TextBasic()->setPlainText(Esempio("configurazione_io.bas"));
    w.TextBasic()->toggleBreakpoint(17);  // RESET B5
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F9);
    QTRY_VERIFY_WITH_TIMEOUT(w.Simulatore() && w.Simulatore()->controller().ready() &&
                                 w.Simulatore()->controller().chip().cycles > 0,
                             30000);
    SimulatorWindow* sim = w.Simulatore();
    QVERIFY(sim->isVisible());
    QCOMPARE(r_->messaggi, QStringList{});
    QVERIFY(QFile::exists(radice_.filePath(QStringLiteral("io.hex"))));
    QCOMPARE(sim->frequency(), 3276800L);
    QCOMPARE(sim->controller().currentBasicLine(), 17);
    QCOMPARE(w.TextBasic()->highlightedLines(velmora::editor::CodeEditor::LineRole::Running), QSet<int>{17});

    w.TextBasic()->toggleBreakpoint(17);
    auto* a0 = sim->findChild<PinLed*>(QStringLiteral("pin_A0"));
    auto* b5 = sim->findChild<PinLed*>(QStringLiteral("pin_B5"));
    QVERIFY(!a0->isOutput() && b5->isOutput() && !b5->isHigh());
    QTest::mouseClick(a0, Qt::LeftButton);
    sim->run();
    QTRY_VERIFY_WITH_TIMEOUT(b5->isHigh(), 20000);

    w.Simula();
    QTRY_VERIFY_WITH_TIMEOUT(!w.Assemblando(), 30000);
    QCOMPARE(w.Simulatore(), sim);
    QCOMPARE(w.findChildren<SimulatorWindow*>().size(), 1);
    w.close();
    QVERIFY(!sim->isVisible());
  }
};

QTEST_MAIN(AssembleSimulateTest)
#include "assemble_simulate_test.moc"
