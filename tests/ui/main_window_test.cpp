// The main window driven as a user would: start-up with and without a
// settings file, the layout cycle and its fit on common screens, Translate
// (report, error block, cursor on the faulty line), every file flow through
// the file dialog (cancel, new name, overwrite, unsaved changes), the
// definitions file, printing to PDF and closing.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include "help_browser.h"
#include "wait_calculator.h"
#include "file_dialog.h"
#include "main_window.h"
#include "settings.h"
#include "window_test.h"
#include "compile_state.h"
#include "translator.h"

using namespace velmora::ui;

namespace {

using namespace velmora::test;

QString Titolo() {
  return QStringLiteral("Compilatore Basic per micro PIC16F84") + QString::fromStdString(velmora::AuthorCredit());
}

// What a program prints on its standard output.
QString Uscita(const QString& programma, const QStringList& argomenti) {
  QProcess p;
  p.start(programma, argomenti);
  return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QColor Sfondo(QWidget* w) {
  return w->palette().color(qobject_cast<QPushButton*>(w) ? QPalette::Button
                            : qobject_cast<QPlainTextEdit*>(w) ? QPalette::Base
                                                               : QPalette::Window);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString lavoro_;
  std::unique_ptr<Registro> r_;

  QString Percorso(const QString& nome) const { return radice_.filePath(nome); }

 private slots:
  void init() { r_ = NuovoLavoro(radice_, lavoro_); }

  // ---- Start ----

  void avvioSenzaImpostazioni_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<bool>("debug");
    QTest::newRow("nessun argomento") << QStringList{} << false;
    QTest::newRow("Debug") << QStringList{"Debug"} << true;
    QTest::newRow("debug e altro") << QStringList{"debug", "x"} << false;
    QTest::newRow("nodebug") << QStringList{"nodebug"} << false;
  }
  void avvioSenzaImpostazioni() {
    QFETCH(QStringList, argomenti);
    QFETCH(bool, debug);
    MainWindow w(r_->ambiente, argomenti);
    QCOMPARE(w.ModoDebug(), debug);
    QCOMPARE(!w.Controllo(QStringLiteral("Command13"))->isHidden(), debug);
    QCOMPARE(w.windowTitle(), Titolo());
    QCOMPARE(w.FlagTestoModificato(), 0);
    QCOMPARE(w.ModoLayout(), 1);
    QCOMPARE(w.TextBasic()->toPlainText(), QString());
    QCOMPARE(w.Valori().CartellaLavoro, lavoro_);
    QCOMPARE(Sfondo(w.TextBasic()), QColor(192, 255, 255));
    QCOMPARE(w.TextBasic()->palette().color(QPalette::Text), QColor(0, 0, 192));
    QVERIFY(!w.TextBasic()->font().bold());
    const QList<std::pair<const char*, QColor>> pulsanti = {{"Label2", QColor(192, 255, 255)},
                                                            {"Command11", QColor(128, 255, 128)},
                                                            {"Command1", QColor(224, 224, 224)},
                                                            {"Command13", QColor(255, 255, 0)}};
    for (const auto& [nome, colore] : pulsanti) QCOMPARE(Sfondo(w.Controllo(QString::fromLatin1(nome))), colore);
  }

  void avvioConImpostazioni_data() {
    QTest::addColumn<QByteArray>("coloriBasic");
    QTest::addColumn<QColor>("sfondoBasic");
    QTest::newRow("colori e ultimo file") << QByteArray("FF\r\n80FF\r\n") << QColor(255, 128, 0);
    // Unusable colours are replaced by the look the window starts with.
    QTest::newRow("carattere uguale allo sfondo") << QByteArray("80FF\r\n80FF\r\n") << QColor(192, 255, 255);
  }
  void avvioConImpostazioni() {
    QFETCH(QByteArray, coloriBasic);
    QFETCH(QColor, sfondoBasic);
    const QString ultimo = Percorso(QStringLiteral("ultimo è.bas"));
    Scrivi(ultimo, "X = 1\r\nREM \xE8\r\nEND");  // Windows-1252 "è"
    Scrivi(lavoro_ + QStringLiteral("/_PicConfig.Txt"),
           coloriBasic + "FF0000\r\nFF\r\n 12\r\n 0\r\n" + ultimo.toUtf8() + "\r\n 1\r\n 0\r\n/archivio\r\n8\r\n2\r\n6\r\n");
    MainWindow w(r_->ambiente);
    QCOMPARE(Sfondo(w.TextBasic()), sfondoBasic);
    QCOMPARE(Sfondo(w.Controllo(QStringLiteral("Command3"))), sfondoBasic);
    QCOMPARE(Sfondo(w.TextASM()), QColor(255, 0, 0));
    QCOMPARE(w.TextASM()->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(w.TextBasic()->font().pointSizeF(), 12.0);
    QCOMPARE(w.TextASM()->font().pointSizeF(), 14.25);  // a zero size keeps the editor's
    QVERIFY(w.TextBasic()->font().bold());
    QCOMPARE(w.Valori().CartellaLavoro, QStringLiteral("/archivio"));
    QCOMPARE(w.Valori().ValoreTMR0, QStringLiteral("6"));
    QCOMPARE(w.TextBasic()->toPlainText(), QStringLiteral("X = 1\nREM è\nEND"));
    QCOMPARE(w.windowTitle(), ultimo);
    QCOMPARE(w.FileCorrente(), ultimo);
    QCOMPARE(w.FlagTestoModificato(), 0);
  }

  // ---- Layout ----

  // Each press moves to the next layout; a double click shows that pane alone.
  void cicloDelLayout() {
    MainWindow w(r_->ambiente);
    const int W = qRound(0.9 * 1366), H = qRound(0.9 * 768);
    QCOMPARE(w.size(), QSize(W, H));
    auto* basic = w.TextBasic();
    auto* assembly = w.TextASM();
    const QSize intero(qRound(0.92 * W), qRound(0.87 * H));
    const auto stato = [&] {
      return QStringLiteral("%1%2%3").arg(w.ModoLayout()).arg(basic->isHidden() ? '-' : 'B').arg(assembly->isHidden() ? '-' : 'A');
    };
    QCOMPARE(stato(), QStringLiteral("1BA"));  // side by side, BASIC on the left
    QCOMPARE(basic->size(), QSize(qRound(0.45 * W), qRound(0.87 * H)));
    QVERIFY(basic->geometry().right() < assembly->x() && basic->y() == assembly->y());
    const int sinistra = basic->x();
    w.Command6();  // stacked on the same left edge
    QCOMPARE(stato(), QStringLiteral("2BA"));
    QCOMPARE(basic->size(), QSize(intero.width(), qRound(0.43 * H)));
    QVERIFY(basic->geometry().bottom() < assembly->y() && assembly->x() == sinistra);
    w.Command6();
    QCOMPARE(stato(), QStringLiteral("3B-"));
    QCOMPARE(basic->size(), intero);
    w.Command6();
    QCOMPARE(stato(), QStringLiteral("4-A"));
    QCOMPARE(assembly->size(), intero);
    w.Command6();
    QCOMPARE(stato(), QStringLiteral("1BA"));
    QTest::mouseDClick(assembly->viewport(), Qt::LeftButton);
    QCOMPARE(stato(), QStringLiteral("4-A"));
    w.Command6();
    QTest::mouseDClick(basic->viewport(), Qt::LeftButton);
    QCOMPARE(stato(), QStringLiteral("3B-"));
  }

  // Every control inside the window, none overlapping another or a pane,
  // every caption fitting its button, one common width.
  void usabileSuSchermiComuni_data() {
    QTest::addColumn<QSize>("schermo");
    QTest::newRow("1366x768") << QSize(1366, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
  }
  void usabileSuSchermiComuni() {
    QFETCH(QSize, schermo);
    r_->ambiente.schermo = [schermo] { return schermo; };
    MainWindow w(r_->ambiente, {QStringLiteral("DEBUG")});
    const QStringList nomi = {"Label2",    "Command2",  "Command3", "Command4", "Command7", "Command10",
                              "ProgTMR0",  "Command14", "Command11", "Label1",  "Command5", "Command8",
                              "Command9",  "Command1",  "Assembla", "Command6", "Command12", "Command13"};
    QList<QRect> occupati = {w.TextBasic()->geometry(), w.TextASM()->geometry()};
    const QRect finestra = w.rect();
    QVERIFY(finestra.contains(occupati[0]) && finestra.contains(occupati[1]));
    const int larghezza = w.Controllo(QStringLiteral("Label2"))->width();
    for (const QString& nome : nomi) {
      QWidget* c = w.Controllo(nome);
      const QRect r = c->geometry();
      QVERIFY2(finestra.contains(r), qPrintable(nome));
      QCOMPARE(r.width(), larghezza);
      for (const QRect& altro : occupati)
        QVERIFY2(!r.intersects(altro), qPrintable(nome + QStringLiteral(" %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
      occupati << r;
      if (auto* p = qobject_cast<QPushButton*>(c); p && !p->text().isEmpty())
        QVERIFY2(p->fontMetrics().horizontalAdvance(p->text()) + 4 <= r.width(), qPrintable(nome));
    }
  }

  // ---- Translate ----

  // With the real translator: the pane and the message box show what the
  // translator gives for the same text; the missing final line end is added.
  void translateConIlTraduttore_data() {
    QTest::addColumn<QString>("testo");
    QTest::newRow("istruzione sconosciuta") << "FOO BAR\n";
    QTest::newRow("accenti, senza a capo finale") << "DIM X AS BYTE\n' prova è à\nEND";
  }
  void translateConIlTraduttore() {
    QFETCH(QString, testo);
    MainWindow w(r_->ambiente);
    w.FileCorrente() = Percorso(QStringLiteral("prova.bas"));
    w.TextBasic()->setPlainText(testo);
    velmora::Translator traduttore;
    velmora::TranslateOptions opzioni;
    opzioni.programPath = w.FileCorrente().toStdString();
    opzioni.decimalSeparator = QLocale().decimalPoint().at(0).toLatin1();
    QString crlf = testo;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const velmora::TranslationResult atteso = traduttore.Translate(crlf.toStdString(), opzioni);

    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F5);
    const QString assembly = QString::fromStdString(atteso.assembly);
    QCOMPARE(r_->messaggi, QStringList{atteso.ok ? QString::fromStdString(atteso.report) : assembly});
    QCOMPARE(w.TextASM()->toPlainText(), QString(assembly).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    QCOMPARE(w.TextBasic()->toPlainText(), atteso.finalLineEndAdded ? testo + QLatin1Char('\n') : testo);
    auto* pulsante = qobject_cast<QPushButton*>(w.Controllo(QStringLiteral("Command1")));
    QCOMPARE(pulsante->text(), QStringLiteral("Translate"));
    QVERIFY(pulsante->isEnabled());
    QCOMPARE(Sfondo(pulsante), Sfondo(w.Controllo(QStringLiteral("Command9"))));
    // The window keeps the translation's state for the debug dump.
    QCOMPARE(w.Stato().Flag_Errore, !atteso.ok);
  }

  // With a translator that answers as given: the "Wait..." state while it runs,
  // the message and where the cursor goes after an error.
  void translateRisultati_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("assembly");
    QTest::addColumn<int>("rigaCursore");
    QTest::newRow("successo") << true << "        END" << -1;
    QTest::newRow("errore sulla riga 2, spazi e maiuscole diversi")
        << false << "<*> ERRORE : Istruzione non risolta\r\n---istruzione---\r\nX = 5 + Y" << 1;
    QTest::newRow("errore in una riga con commento")
        << false << "<*> ERRORE : Livello di parentesi non corretto\r\n---istruzione---\r\nCALL PROVA(X" << 3;
    QTest::newRow("errore senza istruzione")
        << false << "<*> ERRORE : Superato il livello massimo di CALL a subroutine\r\n" << -1;
    QTest::newRow("istruzione non trovata") << false << "<*> ERRORE : X\r\n---istruzione---\r\nGOTO @3" << -1;
  }
  void translateRisultati() {
    QFETCH(bool, ok);
    QFETCH(QString, assembly);
    QFETCH(int, rigaCursore);
    QStringList duranteLaTraduzione;
    MainWindow* finestra = nullptr;
    r_->ambiente.traduttore = [&](std::string_view sorgente, const velmora::TranslateOptions&) {
      auto* p = qobject_cast<QPushButton*>(finestra->Controllo(QStringLiteral("Command1")));
      duranteLaTraduzione << p->text() << Sfondo(p).name() << (p->isEnabled() ? "attivo" : "spento")
                          << QString::fromUtf8(sorgente.data(), static_cast<qsizetype>(sorgente.size()));
      velmora::TranslationResult r;
      r.ok = ok;
      r.assembly = assembly.toStdString();
      r.report = ok ? "Rapporto" : "";
      return r;
    };
    MainWindow w(r_->ambiente);
    finestra = &w;
    w.TextBasic()->setPlainText(QStringLiteral("DIM X AS BYTE\n  x=5+y\nEND\ncall Prova(x  ' chiamata\n"));
    w.Command1();
    QCOMPARE(duranteLaTraduzione,
             (QStringList{"Wait...", QColor(255, 70, 70).name(), "spento",
                          "DIM X AS BYTE\r\n  x=5+y\r\nEND\r\ncall Prova(x  ' chiamata\r\n"}));
    QCOMPARE(r_->messaggi, QStringList{ok ? QStringLiteral("Rapporto") : assembly});
    const QTextCursor cursore = w.TextBasic()->textCursor();
    if (rigaCursore < 0) {
      QCOMPARE(cursore.position(), 0);
      return;
    }
    QCOMPARE(cursore.blockNumber(), rigaCursore);
    QCOMPARE(cursore.selectedText(), w.TextBasic()->document()->findBlockByNumber(rigaCursore).text());
  }

  // Blank text: Translate, Save and Print do nothing at all.
  void testoBiancoNonFaNulla() {
    bool tradotto = false;
    r_->ambiente.traduttore = [&](std::string_view, const velmora::TranslateOptions&) {
      tradotto = true;
      return velmora::TranslationResult{};
    };
    MainWindow w(r_->ambiente);
    w.TextBasic()->setPlainText(QStringLiteral("   \n  "));
    w.TextASM()->setPlainText(QStringLiteral("precedente"));
    for (auto azione : {&MainWindow::Command1, &MainWindow::Command2, &MainWindow::Command11}) (w.*azione)();
    QVERIFY(!tradotto);
    QVERIFY(r_->messaggi.isEmpty() && r_->domande.isEmpty() && r_->titoliDialoghi.isEmpty());
    QCOMPARE(w.TextASM()->toPlainText(), QStringLiteral("precedente"));
  }

  // ---- Save BASIC ----

  void salvaBasic_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("scelta");  // empty: ANNULLA
    QTest::addColumn<bool>("esisteGia");
    QTest::addColumn<QByteArray>("scritto");
    QTest::newRow("annulla") << "A = 1" << "" << false << QByteArray("<assente>");
    QTest::newRow("nuovo nome") << "A = 1\nEND" << "nuovo.bas" << false << QByteArray("A = 1\r\nEND");
    QTest::newRow("sovrascrive") << "B = 2\nè\n" << "vecchio.bas" << true << QByteArray("B = 2\r\n\xC3\xA8\r\n");
  }
  void salvaBasic() {
    QFETCH(QString, testo);
    QFETCH(QString, scelta);
    QFETCH(bool, esisteGia);
    QFETCH(QByteArray, scritto);
    if (esisteGia) Scrivi(lavoro_ + QLatin1Char('/') + scelta, "vecchio contenuto, più lungo del nuovo");
    MainWindow w(r_->ambiente);
    w.FileCorrente() = QStringLiteral("precedente.bas");
    w.TextBasic()->setPlainText(testo);
    r_->Dialoghi({scelta.isEmpty() ? Annulla() : Scegli(scelta)});
    r_->Risposte({true});
    w.Command2();
    const bool salvato = !scelta.isEmpty();
    QCOMPARE(r_->titoliDialoghi, QStringList{"Salvataggio File"});
    QCOMPARE(r_->domande.size(), salvato && !esisteGia ? 1 : 0);
    const QString percorso = lavoro_ + QLatin1Char('/') + (scelta.isEmpty() ? QStringLiteral("x") : scelta);
    QCOMPARE(Leggi(percorso), scritto);
    QCOMPARE(w.FileCorrente(), salvato ? percorso : QStringLiteral("precedente.bas"));
    QCOMPARE(w.FlagTestoModificato(), salvato ? 0 : 1);
    QCOMPARE(w.windowTitle(), Titolo());
  }

  void salvaAssembly() {
    MainWindow w(r_->ambiente);
    w.TextBasic()->setPlainText(QStringLiteral("X = 1"));
    w.TextASM()->setPlainText(QStringLiteral("        ORG 0\n        END"));
    r_->Dialoghi({Scegli(QStringLiteral("prova.asm"))});
    r_->Risposte({true});
    w.Command5();
    const QString percorso = lavoro_ + QStringLiteral("/prova.asm");
    QCOMPARE(r_->titoliDialoghi, QStringList{"Salvataggio File ASM"});
    QCOMPARE(Leggi(percorso), QByteArray("        ORG 0\r\n        END\r\n"));
    QCOMPARE(w.FileCorrente(), percorso);
    QCOMPARE(w.FlagTestoModificato(), 1);
    // The next dialog proposes the assembly file.
    QString proposto;
    r_->Dialoghi({[&](FormSelectFile& d) {
      proposto = d.Percorso();
      d.Annulla();
    }});
    w.Command2();
    QCOMPARE(proposto, percorso);
  }

  // ---- Open ----

  // Changed text or not, the answer to the question, what the save dialog does.
  void apri_data() {
    QTest::addColumn<bool>("modificato");
    QTest::addColumn<bool>("salvare");
    QTest::addColumn<QString>("sceltaSalvataggio");
    QTest::addColumn<bool>("apre");
    QTest::newRow("nessuna modifica") << false << false << "" << true;
    QTest::newRow("modifiche, non salvare") << true << false << "" << true;
    QTest::newRow("modifiche, salvare, annullato") << true << true << "" << true;
    QTest::newRow("modifiche, salvare in un file") << true << true << "salvato.bas" << true;
    QTest::newRow("apertura annullata") << true << true << "" << false;
  }
  void apri() {
    QFETCH(bool, modificato);
    QFETCH(bool, salvare);
    QFETCH(QString, sceltaSalvataggio);
    QFETCH(bool, apre);
    const QString daAprire = Percorso(QStringLiteral("da aprire.bas"));
    Scrivi(daAprire, "A = 1\r\nREM \xE8 \xE0\nEND");  // Windows-1252, mixed line ends
    MainWindow w(r_->ambiente);
    if (modificato) w.TextBasic()->setPlainText(QStringLiteral("vecchio"));
    w.TextASM()->setPlainText(QStringLiteral("assembly"));
    r_->Risposte({salvare, true});
    QList<AzioneDialogo> azioni;
    if (modificato && salvare) azioni << (sceltaSalvataggio.isEmpty() ? Annulla() : Scegli(sceltaSalvataggio));
    azioni << (apre ? Scegli(daAprire) : Annulla());
    r_->dialoghi.assign(azioni.begin(), azioni.end());
    const QString prima = w.FileCorrente();

    w.Command3();
    QStringList titoliAttesi;
    if (modificato && salvare) titoliAttesi << QStringLiteral("Salvataggio File");
    titoliAttesi << QStringLiteral("Apertura File");
    QCOMPARE(r_->titoliDialoghi, titoliAttesi);
    QCOMPARE(r_->domande.value(0),
             modificato ? QStringLiteral("***ATTENZIONE***\r\nSalvare le modifiche effettuate ?")
                        : QString());
    QCOMPARE(r_->pause, modificato && salvare ? QList<int>{200} : QList<int>{});
    if (!sceltaSalvataggio.isEmpty()) QCOMPARE(Leggi(lavoro_ + QLatin1Char('/') + sceltaSalvataggio), QByteArray("vecchio"));
    QCOMPARE(w.FlagTestoModificato(), apre || salvare ? 0 : 1);
    if (!apre) {
      QCOMPARE(w.TextBasic()->toPlainText(), QStringLiteral("vecchio"));
      QCOMPARE(w.TextASM()->toPlainText(), QStringLiteral("assembly"));
      QCOMPARE(w.FileCorrente(), prima);
      return;
    }
    QCOMPARE(w.TextBasic()->toPlainText(), QStringLiteral("A = 1\nREM è à\nEND"));
    QCOMPARE(w.TextASM()->toPlainText(), QString());
    QCOMPARE(w.FileCorrente(), daAprire);
    QCOMPARE(w.windowTitle(), daAprire);
  }

  // ---- Clear ----

  void clear_data() {
    QTest::addColumn<bool>("modificato");
    QTest::newRow("con modifiche, salvataggio annullato") << true;
    QTest::newRow("senza modifiche") << false;
  }
  void clear() {
    QFETCH(bool, modificato);
    MainWindow w(r_->ambiente);
    if (modificato) w.TextBasic()->setPlainText(QStringLiteral("X = 1"));
    w.TextASM()->setPlainText(QStringLiteral("        END"));
    w.FileCorrente() = Percorso(QStringLiteral("a.bas"));
    w.setWindowTitle(w.FileCorrente());
    w.Command7();
    QCOMPARE(r_->titoliDialoghi, modificato ? QStringList{"Salvataggio File"} : QStringList{});
    QCOMPARE(w.TextBasic()->toPlainText(), QString());
    QCOMPARE(w.TextASM()->toPlainText(), QString());
    QCOMPARE(w.FileCorrente(), QString());
    QCOMPARE(w.windowTitle(), Titolo());
    QCOMPARE(w.FlagTestoModificato(), 0);
  }

  // ---- PIC16F84.DEF ----

  void fileDefinizioni_data() {
    QTest::addColumn<QString>("scelta");  // empty: ANNULLA
    QTest::addColumn<bool>("vedere");
    QTest::addColumn<bool>("nelRiquadro");
    QTest::addColumn<bool>("errore");
    QTest::newRow("annulla, no") << "" << false << false << false;
    QTest::newRow("annulla, si") << "" << true << true << false;
    QTest::newRow("scritto") << "Pic16F84.Def" << false << false << false;
    QTest::newRow("scrittura impossibile") << "/proc/version" << false << true << true;
  }
  void fileDefinizioni() {
    QFETCH(QString, scelta);
    QFETCH(bool, vedere);
    QFETCH(bool, nelRiquadro);
    QFETCH(bool, errore);
    const QString definizioni = QString::fromStdString(velmora::DefinitionsText());
    MainWindow w(r_->ambiente);
    w.FileCorrente() = QStringLiteral("/mio/programma.bas");
    w.TextBasic()->setPlainText(QStringLiteral("X = 1"));
    w.TextASM()->setPlainText(QStringLiteral("assembly"));
    QString proposto;
    r_->Dialoghi({[&](FormSelectFile& d) {
      proposto = d.Percorso();
      if (scelta.isEmpty()) return d.Annulla();
      d.ImpostaPercorso(scelta);
      d.Ok();
    }});
    r_->Risposte({scelta.isEmpty() ? vedere : true});
    w.Command9();
    QCOMPARE(proposto, QStringLiteral("Pic16F84.Def"));
    QCOMPARE(r_->titoliDialoghi, QStringList{"Salvataggio File"});
    QCOMPARE(w.FileCorrente(), QStringLiteral("/mio/programma.bas"));
    QCOMPARE(w.TextBasic()->toPlainText(), QStringLiteral("X = 1"));
    QCOMPARE(w.TextASM()->toPlainText(),
             nelRiquadro ? QString(definizioni).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                         : QStringLiteral("assembly"));
    if (scelta.isEmpty())
      QCOMPARE(r_->domande.value(0),
               QStringLiteral("Vuoi vedere il file PIC16F84.DEF nel campo riservato alla codifica ASM ?"));
    if (scelta == QLatin1String("Pic16F84.Def"))
      QCOMPARE(Leggi(lavoro_ + QStringLiteral("/Pic16F84.Def")), (definizioni + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(r_->messaggi.size(), errore ? 1 : 0);
    if (errore) QVERIFY(r_->messaggi[0].startsWith(QStringLiteral("Impossibile aprire il file /proc/version\r\nErrore: ")));
  }

  // ---- Printing ----

  void stampa_data() {
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<bool>("stampato");
    QTest::newRow("basic") << "Command11" << "DIM CONTATORE AS BYTE\nCONTATORE = 7" << true << true;
    QTest::newRow("assembly") << "Command12" << "        MOVLW 0x07\n        END" << true << true;
    QTest::newRow("risposta no") << "Command11" << "X = 1" << false << false;
  }
  void stampa() {
    QFETCH(QString, pulsante);
    QFETCH(QString, testo);
    QFETCH(bool, risposta);
    QFETCH(bool, stampato);
    const bool basic = pulsante == QLatin1String("Command11");
    const QString pdf = r_->ambiente.pdfDiProva = Percorso(QStringLiteral("stampa.pdf"));
    MainWindow w(r_->ambiente);
    QPlainTextEdit* editor = basic ? w.TextBasic() : w.TextASM();
    editor->setPlainText(testo);
    QFont font = editor->font();
    font.setPointSizeF(11);
    editor->setFont(font);
    r_->Risposte({risposta});
    qobject_cast<QPushButton*>(w.Controllo(pulsante))->click();
    QCOMPARE(r_->domande, QStringList{"Eseguo la stampa ?"});
    QCOMPARE(QFile::exists(pdf), stampato);
    if (!stampato) return;
    const QString letto = Uscita("pdftotext", {"-layout", pdf, "-"});
    for (const QString& riga : testo.split(QLatin1Char('\n'))) QVERIFY2(letto.contains(riga.trimmed()), qPrintable(letto));
    QVERIFY(Uscita("pdffonts", {pdf}).contains(editor->fontInfo().family().remove(QLatin1Char(' '))));
  }

  // ---- Closing and the other windows ----

  void chiusura_data() {
    QTest::addColumn<bool>("modificato");
    QTest::newRow("con modifiche") << true;
    QTest::newRow("senza modifiche") << false;
  }
  void chiusura() {
    QFETCH(bool, modificato);
    MainWindow w(r_->ambiente);
    QSignalSpy chiusa(&w, &MainWindow::Chiusa);
    w.show();
    if (modificato) w.TextBasic()->setPlainText(QStringLiteral("END"));
    r_->Dialoghi({Scegli(QStringLiteral("finale.bas"))});
    r_->Risposte({true});
    w.Valori().ValoreFrequenza = QStringLiteral("4");
    w.close();
    QCOMPARE(r_->titoliDialoghi, modificato ? QStringList{"Salvataggio File"} : QStringList{});
    QCOMPARE(Leggi(lavoro_ + QStringLiteral("/finale.bas")), modificato ? QByteArray("END") : QByteArray("<assente>"));
    QVERIFY(w.FlagChiusura());
    QCOMPARE(chiusa.count(), 1);
    Impostazioni letto;
    InterpretaConfigurazione(Leggi(lavoro_ + QStringLiteral("/_PicConfig.Txt")), letto);
    QCOMPARE(letto.FileCorrente, modificato ? lavoro_ + QStringLiteral("/finale.bas") : QString());
    QCOMPARE(letto.ValoreFrequenza, QStringLiteral("4"));
    QCOMPARE(letto.ColoreSfondoBasic, InteroDaColore(QColor(192, 255, 255)));
  }

  // Each button opens its window (modal ones are closed again at once).
  void finestreDaiPulsanti() {
    MainWindow w(r_->ambiente, {QStringLiteral("debug")});
    QStringList aperte;
    const auto premi = [&](const char* nome) {
      QTimer::singleShot(0, [&] {
        QWidget* modale = QApplication::activeModalWidget();
        aperte << (modale ? QString::fromLatin1(modale->metaObject()->className()) : QStringLiteral("nessuna"));
        if (auto* d = qobject_cast<QDialog*>(modale)) d->reject();
      });
      QWidget* c = w.Controllo(QString::fromLatin1(nome));
      if (auto* p = qobject_cast<QPushButton*>(c)) p->click();
      else QTest::mouseClick(c, Qt::LeftButton);
    };
    for (const char* nome : {"Command14", "Label1", "Label2", "Command10", "ProgTMR0", "Command13"}) premi(nome);
    QCOMPARE(aperte, (QStringList{"velmora::ui::BackupManager", "velmora::ui::Form3", "velmora::ui::Form3",
                                  "velmora::tools::ExamplesWindow", "velmora::tools::Tmr0Calculator",
                                  "velmora::tools::DebugDump"}));
    QVERIFY(r_->messaggi.isEmpty());
  }

  // What the user chose in a dialog is what the window keeps once it closes.
  void valoriDeiDialoghi() {
    MainWindow w(r_->ambiente);
    const auto nelDialogo = [&](const char* pulsante, std::function<void(QDialog&)> azione) {
      QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        azione(*d);
        d->reject();
      });
      QWidget* c = w.Controllo(QString::fromLatin1(pulsante));
      if (auto* p = qobject_cast<QPushButton*>(c)) p->click();
      else QTest::mouseClick(c, Qt::LeftButton);
    };
    const auto invio = [](QDialog& d, const QString& campo, const QString& testo) {
      auto* e = d.findChild<QLineEdit*>(campo);
      e->setText(testo);
      QTest::keyClick(e, Qt::Key_Return);
    };
    nelDialogo("ProgTMR0", [&](QDialog& d) { invio(d, QStringLiteral("TMR0"), QStringLiteral("100")); });
    QCOMPARE(w.Valori().ValoreTMR0, QStringLiteral("100"));

    nelDialogo("Label2", [&](QDialog& d) { invio(d, QStringLiteral("Text1_4"), QStringLiteral("20")); });
    QCOMPARE(w.TextBasic()->font().pointSizeF(), 20.0);
    Impostazioni salvate;
    InterpretaConfigurazione(Leggi(lavoro_ + QStringLiteral("/_PicConfig.Txt")), salvate);
    QCOMPARE(salvate.FontSizeBasic, 20.0f);

    const QString altra = Percorso(QStringLiteral("copie"));
    QDir().mkpath(altra);
    nelDialogo("Command14", [&](QDialog& d) { invio(d, QStringLiteral("Text1"), altra); });
    QCOMPARE(w.Valori().CartellaLavoro, altra);
  }

  // The help browser is modeless, opened once, and goes when the window closes;
  // the WAIT calculator opened from it outlives the help, not the window.
  void helpNonModale() {
    MainWindow w(r_->ambiente);
    w.show();
    qobject_cast<QPushButton*>(w.Controllo(QStringLiteral("Command4")))->click();
    qobject_cast<QPushButton*>(w.Controllo(QStringLiteral("Command4")))->click();
    const auto help = w.findChildren<velmora::tools::HelpBrowser*>();
    QCOMPARE(help.size(), 1);
    QVERIFY(help[0]->isVisible());
    QVERIFY(!help[0]->isModal());
    const auto voce = help[0]->findChild<QListWidget*>(QStringLiteral("List1"))->findItems(
        QStringLiteral("WAIT (Utility)"), Qt::MatchExactly);
    QCOMPARE(voce.size(), 1);
    help[0]->SelezionaVoce(voce[0]->listWidget()->row(voce[0]));
    QPointer<QWidget> wait = help[0]->CalcolatoreWait();
    QVERIFY(wait && wait->isVisible());
    help[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(wait && wait->isVisible());

    qobject_cast<QPushButton*>(w.Controllo(QStringLiteral("Command4")))->click();
    QPointer<QWidget> guardia = w.findChild<velmora::tools::HelpBrowser*>();
    QVERIFY(guardia && guardia->isVisible());
    w.close();
    QVERIFY(!guardia || !guardia->isVisible());
    QVERIFY(!wait || !wait->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
