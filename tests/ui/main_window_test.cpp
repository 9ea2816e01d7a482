// The main window driven as a user would: start-up with and without a
// settings file, the layout cycle and the captions on common screens,
// Translate (report and warnings, error block, cursor on the faulty line,
// hostile files, the panes linked by source line), every file flow through
// the file dialog, the definitions file, printing to PDF, the BASIC editor's
// colours, search and recovery copy, the other windows and closing.
#include "basic_highlighter.h"
#include "code_editor.h"
#include "compile_state.h"
#include "editor_colours.h"
#include "find_replace_bar.h"
#include "help_browser.h"
#include "main_window.h"
#include "recovery_store.h"
#include "settings.h"
#include "settings_window.h"
#include "translator.h"
#include "wait_calculator.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;
using velmora::editor::CodeEditor;
using velmora::editor::RecoveryStore;

namespace {

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

QPushButton* Pulsante(const MainWindow& w, const char* nome) {
  return qobject_cast<QPushButton*>(w.Controllo(QString::fromLatin1(nome)));
}

const QString kDomandaSalvare = QStringLiteral("***ATTENZIONE***\r\nSalvare le modifiche effettuate ?");

// Every line writes its own constant, so each instruction names its line.
const char* const kProgramma = "' costanti diverse\nDIM X AS BYTE\nDIM Y AS BYTE\nX = 5\nY = 7 : X = 9\nEND\n";

// The pane's lines (from 1) that contain `testo`.
QSet<int> RigheCon(CodeEditor* pannello, const QString& testo) {
  QSet<int> righe;
  for (QTextBlock b = pannello->document()->begin(); b.isValid(); b = b.next())
    if (b.text().contains(testo)) righe.insert(b.blockNumber() + 1);
  return righe;
}

void CursoreSulla(CodeEditor* pannello, int riga) {
  pannello->setTextCursor(QTextCursor(pannello->document()->findBlockByNumber(riga - 1)));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString lavoro_;
  std::unique_ptr<Registro> r_;

  QString Percorso(const QString& nome) const { return radice_.filePath(nome); }
  QString Recupero() const { return QDir(lavoro_).filePath(RecoveryStore::FileName()); }

  // A recovery copy as a killed session leaves it: written, never removed.
  void LasciaCopia(const QString& testo, const QString& file) {
    RecoveryStore store(lavoro_, [testo] { return testo; });
    store.setOriginalPath(file);
    QVERIFY(store.writeNow());
  }

 private slots:
  void init() { r_ = NuovoLavoro(radice_, lavoro_); }

  // ---- Start ----

  // "debug" alone, in any case, shows the dump button. Without a settings
  // file: the window's own look and the data folder. With one: its colours
  // (editors, colouring, current-line shade, each pane's buttons), sizes,
  // bold, folders and last file; unusable colours are replaced by the look
  // the window starts with.
  void avvio_data() {
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QByteArray>("coloriBasic");  // the settings file's first two lines; empty: no file
    QTest::addColumn<QColor>("sfondoBasic");
    QTest::addColumn<bool>("debug");
    const QColor azzurro(192, 255, 255);
    QTest::newRow("nessun argomento") << QStringList{} << QByteArray() << azzurro << false;
    QTest::newRow("Debug") << QStringList{"Debug"} << QByteArray() << azzurro << true;
    QTest::newRow("debug e altro") << QStringList{"debug", "x"} << QByteArray() << azzurro << false;
    QTest::newRow("nodebug") << QStringList{"nodebug"} << QByteArray() << azzurro << false;
    QTest::newRow("colori e ultimo file") << QStringList{} << QByteArray("FF\r\n80FF\r\n") << QColor(255, 128, 0) << false;
    QTest::newRow("carattere uguale allo sfondo") << QStringList{} << QByteArray("80FF\r\n80FF\r\n") << azzurro << false;
  }
  void avvio() {
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, coloriBasic);
    QFETCH(QColor, sfondoBasic);
    const bool file = !coloriBasic.isEmpty();
    const QString ultimo = Percorso(QStringLiteral("ultimo è.bas"));
    if (file) {
      Scrivi(ultimo, "X = 1\r\nREM \xE8\r\nEND");  // Windows-1252 "è"
      Scrivi(lavoro_ + QStringLiteral("/_PicConfig.Txt"),
             coloriBasic + "FF0000\r\nFF\r\n 12\r\n 0\r\n" + ultimo.toUtf8() + "\r\n 1\r\n 0\r\n/archivio\r\n8\r\n2\r\n6\r\n");
    }
    MainWindow w(r_->ambiente, argomenti);
    QTEST(!w.Controllo(QStringLiteral("Command13"))->isHidden(), "debug");
    const bool coloriDalFile = sfondoBasic != QColor(192, 255, 255);
    QCOMPARE(w.TextBasic()->palette().color(QPalette::Text), coloriDalFile ? QColor(255, 0, 0) : QColor(0, 0, 192));
    QCOMPARE(Sfondo(w.TextBasic()), sfondoBasic);
    QCOMPARE(Sfondo(w.Controllo(QStringLiteral("Command3"))), sfondoBasic);
    QCOMPARE(w.Colorazione()->background(), sfondoBasic);
    QCOMPARE(w.EditorBasic()->currentLineColour(), velmora::editor::Shade(sfondoBasic, 0.10));
    const QColor sfondoAsm = file ? QColor(255, 0, 0) : QColor(224, 224, 224);
    QCOMPARE(Sfondo(w.TextASM()), sfondoAsm);
    QCOMPARE(Sfondo(w.Controllo(QStringLiteral("Command1"))), sfondoAsm);
    if (file) QCOMPARE(w.TextASM()->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(w.TextBasic()->font().pointSizeF(), file ? 12.0 : 14.25);
    QCOMPARE(w.TextASM()->font().pointSizeF(), 14.25);  // a zero size keeps the editor's
    QCOMPARE(w.TextBasic()->font().bold(), file);
    QCOMPARE(w.Valori().CartellaLavoro, file ? QStringLiteral("/archivio") : lavoro_);
    QCOMPARE(w.Valori().ValoreTMR0, file ? QStringLiteral("6") : QString());
    QCOMPARE(w.TextBasic()->toPlainText(), file ? QStringLiteral("X = 1\nREM è\nEND") : QString());
    QCOMPARE(w.windowTitle(), file ? ultimo : Titolo());
    QCOMPARE(w.FileCorrente(), file ? ultimo : QString());
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

  // Every visible caption at 9 points or more, wholly inside its control; the
  // controls of one common width, inside the window, overlapping neither
  // each other nor a pane.
  void didascalieLeggibili_data() {
    QTest::addColumn<QSize>("schermo");
    QTest::newRow("1366x768") << QSize(1366, 768);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
  }
  void didascalieLeggibili() {
    QFETCH(QSize, schermo);
    r_->ambiente.schermo = [schermo] { return schermo; };
    MainWindow w(r_->ambiente, {QStringLiteral("DEBUG")});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QList<QRect> occupati{w.TextBasic()->geometry(), w.TextASM()->geometry()};
    QVERIFY(w.rect().contains(occupati[0]) && w.rect().contains(occupati[1]));
    const int larghezza = w.Controllo(QStringLiteral("Label2"))->width();
    int controllati = 0;
    for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      auto* pulsante = qobject_cast<QPushButton*>(c);
      auto* etichetta = qobject_cast<QLabel*>(c);
      if ((!pulsante && !etichetta) || !c->isVisible()) continue;
      const QString testo = pulsante ? pulsante->text() : etichetta->text();
      const QByteArray nome = c->objectName().toUtf8();
      ++controllati;
      QVERIFY2(c->font().pointSizeF() >= 9.0, nome);
      QVERIFY2(c->fontMetrics().horizontalAdvance(testo) <= c->contentsRect().width() - 4, nome);
      QVERIFY2(w.rect().contains(c->geometry()), nome);
      QVERIFY2(c->width() == larghezza, nome);
      for (const QRect& r : occupati) QVERIFY2(!r.intersects(c->geometry()), nome);
      occupati << c->geometry();
    }
    QCOMPARE(controllati, 18);  // 14 commands, TMR0, Assembla, the two labels
  }

  // ---- Translate ----

  // With the real translator, F5 on a file opened with Open: the pane and the
  // message box show what the translator gives for the same text (warnings
  // under the report); the missing final line end is added; after an error
  // the cursor is on the error's own line, where matching the statement's
  // text would find the first copy. Files no student would write give a
  // short message, and every file keeps its bytes on disk.
  void translateConIlTraduttore_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<int>("rigaCursore");  // from 1; 0: not looked at
    QTest::addColumn<QString>("inizio");   // how the message starts
    QTest::addColumn<QString>("avviso");   // how the report's last line starts
    const QString errore = "<*> ERRORE : ", rapporto = "Nome programma: OSTILE.BAS";
    QTest::newRow("istruzione sconosciuta") << QByteArray("FOO BAR\n") << 1 << errore << "";
    QTest::newRow("accenti, senza a capo finale") << QByteArray("DIM X AS BYTE\n' prova \xC3\xA8 \xC3\xA0\nEND") << 0
                                                  << rapporto << "";
    QTest::newRow("la stessa istruzione due volte, errata la seconda")
        << QByteArray("DIM X AS BYTE\n' commento\nFOR X = 1 TO 2\nNEXT X\nNEXT X\nEND\n") << 5 << errore << "";
    QTest::newRow("avviso con la sua riga") << QByteArray("DIM B AS BYTE\nB = 1\nEND\n") << 0 << rapporto
                                            << "Avviso (riga 1): ";
    QTest::newRow("byte NUL") << QByteArray("DIM X AS BYTE\nX = 1\0\nEND\n", 25) << 0
                              << errore + "Il file contiene un carattere nullo (codice 0) alla riga 2" << "";
    QTest::newRow("UTF-8 non valido in un commento") << QByteArray("' \xff\xfe\xc3\nDIM X AS BYTE\nX = 1\nEND\n") << 0
                                                     << rapporto << "";
    QTest::newRow("una riga di un megabyte") << QByteArray("X = ") + QByteArray(1000000, '1') + "\nEND\n" << 0
                                             << errore + "Il file è troppo grande per essere un programma BASIC" << "";
  }
  void translateConIlTraduttore() {
    QFETCH(QByteArray, contenuto);
    QFETCH(int, rigaCursore);
    QFETCH(QString, inizio);
    QFETCH(QString, avviso);
    const QString file = Percorso(QStringLiteral("ostile.bas"));
    Scrivi(file, contenuto);
    r_->Dialoghi({Scegli(file)});
    MainWindow w(r_->ambiente);
    w.Command3();
    const QString testo = w.TextBasic()->toPlainText();
    velmora::TranslateOptions opzioni;
    opzioni.programPath = file.toStdString();
    opzioni.decimalSeparator = QLocale().decimalPoint().at(0).toLatin1();
    const auto atteso = velmora::Translator().Translate(QString(testo).replace("\n", "\r\n").toStdString(), opzioni);

    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F5);
    const QString assembly = QString::fromStdString(atteso.assembly);
    const QString rapporto = QString::fromStdString(atteso.ok ? atteso.report : atteso.assembly);
    QCOMPARE(r_->messaggi.size(), 1);
    const QString messaggio = r_->messaggi[0];
    QVERIFY2(messaggio.startsWith(rapporto) && messaggio.startsWith(inizio) && (atteso.ok || messaggio.size() < 400),
             qPrintable(messaggio.left(200)));
    QCOMPARE(messaggio == rapporto, avviso.isEmpty());
    QVERIFY2(messaggio.split("\r\n", Qt::SkipEmptyParts).last().startsWith(avviso), qPrintable(messaggio));
    QCOMPARE(w.TextASM()->toPlainText(), SenzaCr(assembly));
    QCOMPARE(w.TextBasic()->toPlainText(), atteso.finalLineEndAdded ? testo + QLatin1Char('\n') : testo);
    if (rigaCursore > 0) QCOMPARE(w.TextBasic()->currentLine(), rigaCursore);
    QCOMPARE(Leggi(file), contenuto);
    if (!atteso.finalLineEndAdded) QCOMPARE(w.FlagTestoModificato(), 0);
    auto* pulsante = Pulsante(w, "Command1");
    QCOMPARE(pulsante->text(), QStringLiteral("Translate"));
    QVERIFY(pulsante->isEnabled());
    QCOMPARE(Sfondo(pulsante), Sfondo(w.Controllo(QStringLiteral("Command9"))));
    // The window keeps the translation's state for the debug dump.
    QCOMPARE(w.Stato().Flag_Errore, !atteso.ok);
  }

  // With a translator that answers as given: the "Wait..." state while it runs,
  // the CR LF text it gets, the message and where the cursor goes after an
  // error that gives no line.
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
      auto* p = Pulsante(*finestra, "Command1");
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
    QCOMPARE(cursore.position() == 0, rigaCursore < 0);
    if (rigaCursore < 0) return;
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

  // ---- The panes linked by source line ----

  // A BASIC line lights its instructions; an instruction lights its line.
  // An edit of either pane unlinks them until the next Translate.
  void collegamentiNeiDueSensi_data() {
    QTest::addColumn<int>("rigaBasic");
    QTest::addColumn<QString>("istruzione");  // in the line's code only
    QTest::addColumn<QString>("altrui");      // in another line's code
    QTest::newRow("assegnazione") << 4 << "MOVLW 0x05" << "MOVLW 0x07";
    QTest::newRow("due istruzioni su una riga, la prima") << 5 << "MOVLW 0x07" << "MOVLW 0x05";
    QTest::newRow("due istruzioni su una riga, la seconda") << 5 << "MOVLW 0x09" << "MOVLW 0x05";
    QTest::newRow("END") << 6 << "SLEEP" << "MOVLW 0x09";
  }
  void collegamentiNeiDueSensi() {
    QFETCH(int, rigaBasic);
    QFETCH(QString, istruzione);
    QFETCH(QString, altrui);
    MainWindow w(r_->ambiente);
    CodeEditor* basic = w.TextBasic();
    CodeEditor* assembly = w.TextASM();
    basic->setPlainText(QString::fromLatin1(kProgramma));
    w.Command1();
    const auto collegate = [](CodeEditor* e) { return e->highlightedLines(CodeEditor::LineRole::Linked); };

    CursoreSulla(basic, rigaBasic);
    const QSet<int> righe = RigheCon(assembly, istruzione);
    QCOMPARE(righe.size(), 1);
    QVERIFY(collegate(assembly).contains(righe));
    QVERIFY(!collegate(assembly).intersects(RigheCon(assembly, altrui)));
    CursoreSulla(basic, 1);  // a comment has no code
    QCOMPARE(collegate(assembly), QSet<int>{});

    CursoreSulla(assembly, *righe.begin());
    QCOMPARE(collegate(basic), QSet<int>{rigaBasic});
    CursoreSulla(assembly, 1);  // the header belongs to no line
    QCOMPARE(collegate(basic), QSet<int>{});

    for (CodeEditor* modificato : {assembly, basic}) {
      w.Command1();
      CursoreSulla(assembly, *righe.begin());
      QVERIFY(!collegate(basic).isEmpty());
      modificato->moveCursor(QTextCursor::End);
      modificato->insertPlainText(QStringLiteral(" "));
      QCOMPARE(collegate(basic) + collegate(assembly), QSet<int>{});
      CursoreSulla(basic, rigaBasic);
      CursoreSulla(assembly, *righe.begin());
      QCOMPARE(collegate(basic) + collegate(assembly), QSet<int>{});
    }
  }

  // Nothing before Translate; the translator's words per line after it;
  // none after an error.
  void colonnaDelleParole() {
    MainWindow w(r_->ambiente);
    CodeEditor* basic = w.TextBasic();
    basic->setPlainText(QString::fromLatin1(kProgramma));
    QCOMPARE(basic->lineFigures(), (QMap<int, int>{}));
    w.Command1();
    QMap<int, int> attese;
    const std::string crlf = QString::fromLatin1(kProgramma).replace("\n", "\r\n").toStdString();
    for (const velmora::LineWords& p : velmora::Translator().Translate(crlf, {}).words) attese.insert(p.line, p.words);
    QVERIFY(attese.contains(4) && attese.contains(5) && !attese.contains(1));
    QCOMPARE(basic->lineFigures(), attese);
    basic->setPlainText(QStringLiteral("FOO\nEND\n"));
    w.Command1();
    QCOMPARE(basic->lineFigures(), (QMap<int, int>{}));
  }

  // ---- Save ----

  // Salva and Salva ASM: the dialog's title, the bytes written (CR LF line
  // ends, a final one added to the assembly only), the current file, which the
  // next dialog proposes; saving the assembly leaves the BASIC text unsaved.
  void salva_data() {
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("scelta");  // empty: ANNULLA
    QTest::addColumn<bool>("esisteGia");
    QTest::addColumn<QByteArray>("scritto");
    QTest::newRow("annulla") << "Command2" << "A = 1" << "" << false << QByteArray("<assente>");
    QTest::newRow("nuovo nome") << "Command2" << "A = 1\nEND" << "nuovo.bas" << false << QByteArray("A = 1\r\nEND");
    QTest::newRow("sovrascrive") << "Command2" << "B = 2\nè\n" << "vecchio.bas" << true
                                 << QByteArray("B = 2\r\n\xC3\xA8\r\n");
    QTest::newRow("assembly") << "Command5" << "        ORG 0\n        END" << "prova.asm" << false
                              << QByteArray("        ORG 0\r\n        END\r\n");
  }
  void salva() {
    QFETCH(QString, pulsante);
    QFETCH(QString, testo);
    QFETCH(QString, scelta);
    QFETCH(bool, esisteGia);
    const bool assembly = pulsante == QLatin1String("Command5");
    const QString percorso = lavoro_ + QLatin1Char('/') + (scelta.isEmpty() ? QStringLiteral("x") : scelta);
    if (esisteGia) Scrivi(percorso, "vecchio contenuto, più lungo del nuovo");
    MainWindow w(r_->ambiente);
    w.FileCorrente() = QStringLiteral("precedente.bas");
    w.TextBasic()->setPlainText(assembly ? QStringLiteral("X = 1") : testo);
    if (assembly) w.TextASM()->setPlainText(testo);
    r_->Dialoghi({scelta.isEmpty() ? Annulla() : Scegli(scelta)});
    r_->Risposte({true});
    Premi(w.Controllo(pulsante));
    const bool salvato = !scelta.isEmpty();
    QCOMPARE(r_->titoliDialoghi, QStringList{assembly ? "Salvataggio File ASM" : "Salvataggio File"});
    QCOMPARE(r_->domande.size(), salvato && !esisteGia ? 1 : 0);
    QTEST(Leggi(percorso), "scritto");
    QCOMPARE(w.FileCorrente(), salvato ? percorso : QStringLiteral("precedente.bas"));
    QCOMPARE(w.FlagTestoModificato(), salvato && !assembly ? 0 : 1);
    QCOMPARE(w.windowTitle(), Titolo());
    QString proposto;
    r_->Dialoghi({[&](FormSelectFile& d) {
      proposto = d.Percorso();
      d.Annulla();
    }});
    w.Command2();
    QCOMPARE(proposto, w.FileCorrente());
  }

  // ---- Open and Clear ----

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
    QStringList titoliAttesi;
    if (modificato && salvare) {
      r_->dialoghi.push_back(sceltaSalvataggio.isEmpty() ? Annulla() : Scegli(sceltaSalvataggio));
      titoliAttesi << QStringLiteral("Salvataggio File");
    }
    r_->dialoghi.push_back(apre ? Scegli(daAprire) : Annulla());
    titoliAttesi << QStringLiteral("Apertura File");
    const QString prima = w.FileCorrente();

    w.Command3();
    QCOMPARE(r_->titoliDialoghi, titoliAttesi);
    QCOMPARE(r_->domande.value(0), modificato ? kDomandaSalvare : QString());
    QCOMPARE(r_->pause, modificato && salvare ? QList<int>{200} : QList<int>{});
    if (!sceltaSalvataggio.isEmpty()) QCOMPARE(Leggi(lavoro_ + QLatin1Char('/') + sceltaSalvataggio), QByteArray("vecchio"));
    QCOMPARE(w.FlagTestoModificato(), apre || salvare ? 0 : 1);
    QCOMPARE(w.TextBasic()->toPlainText(), apre ? QStringLiteral("A = 1\nREM è à\nEND") : QStringLiteral("vecchio"));
    QCOMPARE(w.TextASM()->toPlainText(), apre ? QString() : QStringLiteral("assembly"));
    QCOMPARE(w.FileCorrente(), apre ? daAprire : prima);
    if (apre) QCOMPARE(w.windowTitle(), daAprire);
  }

  // A dropped .bas and one named on the command line open through Open's
  // question: Yes saves the changed text first (into a new file, which the
  // file dialog asks to create), No drops it. On the command line the
  // changed text is a restored recovery copy.
  void apertureConModifiche_data() {
    QTest::addColumn<bool>("rigaDiComando");
    QTest::addColumn<bool>("salvare");
    QTest::newRow("trascinato, salva") << false << true;
    QTest::newRow("riga di comando, non salva") << true << false;
  }
  void apertureConModifiche() {
    QFETCH(bool, rigaDiComando);
    QFETCH(bool, salvare);
    const QString nuovo = Percorso(QStringLiteral("nuovo.BAS"));
    const QString salvato = Percorso(QStringLiteral("salvato.bas"));
    Scrivi(nuovo, "END\r\n");
    r_->Dialoghi({Scegli(salvato)});
    std::unique_ptr<MainWindow> w;
    if (rigaDiComando) {
      LasciaCopia(QStringLiteral("X = 1\n"), QString());
      r_->Risposte({true, salvare, true});
      r_->ambiente.cartellaCorrente = [this] { return radice_.path(); };
      w = std::make_unique<MainWindow>(r_->ambiente, QStringList{QStringLiteral("nuovo.BAS")});
    } else {
      r_->Risposte({salvare, true});
      w = std::make_unique<MainWindow>(r_->ambiente);
      w->TextBasic()->setPlainText(QStringLiteral("X = 1\n"));
      QMimeData dati;
      const QUrl nota = QUrl::fromLocalFile(Percorso(QStringLiteral("note.txt")));
      for (const auto& urls : {QList<QUrl>{nota}, QList<QUrl>{nota, QUrl::fromLocalFile(nuovo)}}) {  // a .bas among them
        dati.setUrls(urls);
        QDragEnterEvent entrata(QPoint(5, 5), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &entrata);
        QCOMPARE(entrata.isAccepted(), urls.size() == 2);
      }
      QDropEvent rilascio(QPointF(5, 5), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w.get(), &rilascio);
      QVERIFY(rilascio.isAccepted());
      QTRY_COMPARE(w->FileCorrente(), nuovo);
    }
    QVERIFY(r_->domande.contains(kDomandaSalvare));
    QCOMPARE(Leggi(salvato), salvare ? QByteArray("X = 1\r\n") : QByteArray("<assente>"));
    QCOMPARE(w->FileCorrente(), nuovo);
    QCOMPARE(w->TextBasic()->toPlainText(), QStringLiteral("END\n"));
    QCOMPARE(w->FlagTestoModificato(), 0);
  }

  // ---- The recovery copy ----

  // Restoring (Yes) gives the copy's text as unsaved and keeps the copy until
  // a save; declining (No) keeps it aside, and the next start asks again.
  void recuperoAllAvvio_data() {
    QTest::addColumn<bool>("ripristina");
    QTest::newRow("ripristinato") << true;
    QTest::newRow("rifiutato") << false;
  }
  void recuperoAllAvvio() {
    QFETCH(bool, ripristina);
    const QString originale = Percorso(QStringLiteral("prova.bas"));
    LasciaCopia(QStringLiteral("DIM A AS BYTE\nA = 7\n"), originale);
    r_->Risposte({ripristina, true});  // then: create the new file
    r_->Dialoghi({Scegli(originale)});
    {
      MainWindow w(r_->ambiente);
      QVERIFY(r_->domande[0].startsWith(QStringLiteral("È stata trovata una copia di recupero del file ") + originale));
      QCOMPARE(w.TextBasic()->toPlainText(), ripristina ? QStringLiteral("DIM A AS BYTE\nA = 7\n") : QString());
      QCOMPARE(w.FlagTestoModificato(), ripristina ? 1 : 0);
      QCOMPARE(w.FileCorrente(), ripristina ? originale : QString());
      QCOMPARE(QFile::exists(Recupero()), ripristina);
      if (ripristina) {
        w.Command2();
        QCOMPARE(Leggi(originale), QByteArray("DIM A AS BYTE\r\nA = 7\r\n"));
        QVERIFY(!QFile::exists(Recupero()));
      }
      w.close();
    }
    const qsizetype prima = r_->domande.size();
    MainWindow dopo(r_->ambiente);
    QCOMPARE(r_->domande.size() - prima, ripristina ? 0 : 1);
  }

  // While the text is changed the copy is written, and a normal close
  // removes it; a copy that cannot be written (here a folder stands where it
  // goes) is reported, with the advice to save.
  void copiaDuranteLeModifiche() {
    for (const bool scrivibile : {true, false}) {
      init();
      MainWindow w(r_->ambiente);
      auto* store = w.findChild<RecoveryStore*>();
      if (!scrivibile) QVERIFY(QDir().mkpath(store->path()));
      store->setInterval(10);
      w.TextBasic()->setPlainText(QStringLiteral("END\n"));
      if (!scrivibile) {
        QTRY_COMPARE(r_->messaggi.size(), 1);
        QVERIFY2(r_->messaggi[0].contains(store->path()) && r_->messaggi[0].contains(QStringLiteral("Salva (Ctrl+S)")),
                 qPrintable(r_->messaggi[0]));
        break;
      }
      QTRY_VERIFY(QFile::exists(Recupero()));
      QCOMPARE(RecoveryStore::Read(Recupero())->text, QStringLiteral("END\n"));
      // Closing with the save dialog cancelled keeps the text as it is then.
      store->setInterval(3600000);
      w.TextBasic()->setPlainText(QStringLiteral("X = 1\nEND\n"));
      w.close();
      QCOMPARE(RecoveryStore::Read(Recupero())->text, QStringLiteral("X = 1\nEND\n"));
      QVERIFY(r_->messaggi.isEmpty());
    }
  }

  // ---- PIC16F84.DEF ----

  void fileDefinizioni_data() {
    QTest::addColumn<QString>("scelta");  // empty: ANNULLA
    QTest::addColumn<bool>("vedere");
    QTest::addColumn<bool>("nelRiquadro");
    QTest::newRow("annulla, no") << "" << false << false;
    QTest::newRow("annulla, si") << "" << true << true;
    QTest::newRow("scritto") << "Pic16F84.Def" << false << false;
    QTest::newRow("scrittura impossibile") << "/proc/version" << false << true;
  }
  void fileDefinizioni() {
    QFETCH(QString, scelta);
    QFETCH(bool, vedere);
    QFETCH(bool, nelRiquadro);
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
    QCOMPARE(w.TextASM()->toPlainText(), nelRiquadro ? SenzaCr(definizioni) : QStringLiteral("assembly"));
    if (scelta.isEmpty())
      QCOMPARE(r_->domande.value(0),
               QStringLiteral("Vuoi vedere il file PIC16F84.DEF nel campo riservato alla codifica ASM ?"));
    if (scelta == QLatin1String("Pic16F84.Def"))
      QCOMPARE(Leggi(lavoro_ + QStringLiteral("/Pic16F84.Def")), (definizioni + QStringLiteral("\r\n")).toUtf8());
    const bool errore = scelta.startsWith(QLatin1Char('/'));
    QCOMPARE(r_->messaggi.size(), errore ? 1 : 0);
    if (errore) QVERIFY(r_->messaggi[0].startsWith(QStringLiteral("Impossibile aprire il file /proc/version\r\nErrore: ")));
  }

  // ---- Printing ----

  void stampa_data() {
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("risposta");
    QTest::newRow("basic") << "Command11" << "DIM CONTATORE AS BYTE\nCONTATORE = 7" << true;
    QTest::newRow("assembly") << "Command12" << "        MOVLW 0x07\n        END" << true;
    QTest::newRow("risposta no") << "Command11" << "X = 1" << false;
  }
  void stampa() {
    QFETCH(QString, pulsante);
    QFETCH(QString, testo);
    QFETCH(bool, risposta);
    const QString pdf = r_->ambiente.pdfDiProva = Percorso(QStringLiteral("stampa.pdf"));
    MainWindow w(r_->ambiente);
    QPlainTextEdit* editor = pulsante == QLatin1String("Command11") ? w.TextBasic() : w.TextASM();
    editor->setPlainText(testo);
    QFont font = editor->font();
    font.setPointSizeF(11);
    editor->setFont(font);
    r_->Risposte({risposta});
    Premi(w.Controllo(pulsante));
    QCOMPARE(r_->domande, QStringList{"Eseguo la stampa ?"});
    QCOMPARE(QFile::exists(pdf), risposta);
    if (!risposta) return;
    const QString letto = Uscita("pdftotext", {"-layout", pdf, "-"});
    for (const QString& riga : testo.split(QLatin1Char('\n'))) QVERIFY2(letto.contains(riga.trimmed()), qPrintable(letto));
    QVERIFY(Uscita("pdffonts", {pdf}).contains(editor->fontInfo().family().remove(QLatin1Char(' '))));
  }

  // ---- The editor's colours and tools ----

  // With the focus on a button: Ctrl+H opens the bar under the editor, above
  // the buttons; Ctrl+G asks for a line and puts the cursor there.
  void ricercaEVaiAllaRigaDallaFinestra() {
    MainWindow w(r_->ambiente);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.TextBasic()->setPlainText(QStringLiteral("DIM A AS BYTE\nA = 1\nA = 2\nEND\n"));
    const QRect pannello = w.TextBasic()->geometry();
    w.Controllo(QStringLiteral("Command2"))->setFocus();
    QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier);
    auto* barra = w.BarraRicerca();
    QVERIFY(barra->isVisible());
    QCOMPARE(barra->geometry().top(), w.TextBasic()->geometry().bottom() + 1);
    QVERIFY(barra->geometry().bottom() < w.Controllo(QStringLiteral("Label2"))->geometry().top());
    barra->close();
    QCOMPARE(w.TextBasic()->geometry(), pannello);

    w.Controllo(QStringLiteral("Command2"))->setFocus();
    NelDialogo([](QDialog* d) {
      if (!d) return;
      Figlio<QSpinBox>(*d, {})->setValue(3);
      d->accept();
    });
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(w.EditorBasic()->currentLine(), 3);
  }

  // Ctrl+S, Ctrl+O and Ctrl+P press Salva, Apri and Stampa, whose tooltips
  // name the keys.
  void tastiDeiPulsanti_data() {
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("effetto");  // the file dialog's title or the question
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "Command2" << "Salvataggio File";
    QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Command3" << "Apertura File";
    QTest::newRow("Ctrl+P") << int(Qt::Key_P) << "Command11" << "Eseguo la stampa ?";
  }
  void tastiDeiPulsanti() {
    QFETCH(int, tasto);
    QFETCH(QString, pulsante);
    QFETCH(QString, effetto);
    MainWindow w(r_->ambiente);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.TextBasic()->setPlainText(QStringLiteral("END\n"));
    w.TextBasic()->setFocus();
    QTest::keyClick(w.TextBasic(), static_cast<Qt::Key>(tasto), Qt::ControlModifier);
    QVERIFY2((r_->titoliDialoghi + r_->domande).contains(effetto), qPrintable((r_->titoliDialoghi + r_->domande).join('|')));
    QCOMPARE(w.Controllo(pulsante)->toolTip(), QString::fromLatin1(QTest::currentDataTag()));
  }

  // ---- Clear, closing and the other windows ----

  // Clear and closing: a changed text gets the save dialog first, with no
  // question. Clear then empties both panes and the file name; closing
  // writes the settings, with the current file, once.
  void clearEChiusura_data() {
    QTest::addColumn<bool>("chiudi");
    QTest::addColumn<bool>("modificato");
    QTest::newRow("clear, modifiche") << false << true;
    QTest::newRow("clear") << false << false;
    QTest::newRow("chiusura, modifiche") << true << true;
    QTest::newRow("chiusura") << true << false;
  }
  void clearEChiusura() {
    QFETCH(bool, chiudi);
    QFETCH(bool, modificato);
    MainWindow w(r_->ambiente);
    QSignalSpy chiusa(&w, &MainWindow::Chiusa);
    w.show();
    if (modificato) w.TextBasic()->setPlainText(QStringLiteral("END"));
    w.TextASM()->setPlainText(QStringLiteral("        END"));
    w.FileCorrente() = Percorso(QStringLiteral("a.bas"));
    w.setWindowTitle(w.FileCorrente());
    r_->Dialoghi({Scegli(QStringLiteral("finale.bas"))});
    r_->Risposte({true});
    w.Valori().ValoreFrequenza = QStringLiteral("4");
    if (chiudi) w.close();
    else w.Command7();
    const QString finale = Percorso(QStringLiteral("finale.bas"));  // beside the current file
    QCOMPARE(r_->titoliDialoghi, modificato ? QStringList{"Salvataggio File"} : QStringList{});
    QCOMPARE(Leggi(finale), modificato ? QByteArray("END") : QByteArray("<assente>"));
    QCOMPARE(w.FlagChiusura(), chiudi);
    QCOMPARE(chiusa.count(), chiudi ? 1 : 0);
    Impostazioni letto;
    InterpretaConfigurazione(Leggi(lavoro_ + QStringLiteral("/_PicConfig.Txt")), letto);
    if (chiudi) {
      QVERIFY(!QFile::exists(Recupero()));  // saved, or nothing to keep
      QCOMPARE(letto.FileCorrente, modificato ? finale : Percorso(QStringLiteral("a.bas")));
      QCOMPARE(letto.ValoreFrequenza, QStringLiteral("4"));
      QCOMPARE(letto.ColoreSfondoBasic, InteroDaColore(QColor(192, 255, 255)));
      return;
    }
    QCOMPARE(w.TextBasic()->toPlainText() + w.TextASM()->toPlainText() + w.FileCorrente(), QString());
    QCOMPARE(w.windowTitle(), Titolo());
    QCOMPARE(w.FlagTestoModificato(), 0);
  }

  // Each button opens its window; what the user typed in one (then closed)
  // is what the main window keeps: a settings colour reaches the colouring
  // and the current-line shade too.
  void finestreDaiPulsanti() {
    MainWindow w(r_->ambiente, {QStringLiteral("debug")});
    const QString altra = Percorso(QStringLiteral("copie"));
    QDir().mkpath(altra);
    const struct {
      const char* pulsante;
      const char* classe;
      const char* campo;
      QString testo;
    } casi[] = {{"Command14", "velmora::ui::BackupManager", "Text1", altra},
                {"Label1", "velmora::ui::Form3", "Text1_2", "405060"},  // BASIC background
                {"Label2", "velmora::ui::Form3", "Text1_4", "20"},
                {"Command10", "velmora::tools::ExamplesWindow", nullptr, {}},
                {"ProgTMR0", "velmora::tools::Tmr0Calculator", "TMR0", "100"},
                {"Command13", "velmora::tools::DebugDump", nullptr, {}}};
    for (const auto& c : casi) {
      QString aperta;
      NelDialogo([&](QDialog* d) {
        aperta = d ? QString::fromLatin1(d->metaObject()->className()) : QStringLiteral("nessuna");
        if (d && c.campo) Invio(*d, c.campo, c.testo);
      });
      Premi(w.Controllo(c.pulsante));
      QCOMPARE(aperta, QString::fromLatin1(c.classe));
    }
    QVERIFY(r_->messaggi.isEmpty());
    QCOMPARE(w.Valori().CartellaLavoro, altra);
    QCOMPARE(w.Valori().ValoreTMR0, QStringLiteral("100"));
    QCOMPARE(w.TextBasic()->font().pointSizeF(), 20.0);
    QCOMPARE(w.Colorazione()->background(), ColoreDaIntero(0x405060));
    QCOMPARE(w.EditorBasic()->currentLineColour(), velmora::editor::Shade(ColoreDaIntero(0x405060), 0.10));
    Impostazioni salvate;
    InterpretaConfigurazione(Leggi(lavoro_ + QStringLiteral("/_PicConfig.Txt")), salvate);
    QCOMPARE(salvate.FontSizeBasic, 20.0f);
  }

  // The help browser is modeless, opened once, and goes when the window closes;
  // the WAIT calculator opened from it outlives the help, not the window.
  void helpNonModale() {
    MainWindow w(r_->ambiente);
    w.show();
    Pulsante(w, "Command4")->click();
    Pulsante(w, "Command4")->click();
    const auto help = w.findChildren<velmora::tools::HelpBrowser*>();
    QCOMPARE(help.size(), 1);
    QVERIFY(help[0]->isVisible() && !help[0]->isModal());
    const auto voce = Figlio<QListWidget>(*help[0], "List1")->findItems("WAIT (Utility)", Qt::MatchExactly);
    QCOMPARE(voce.size(), 1);
    help[0]->SelezionaVoce(voce[0]->listWidget()->row(voce[0]));
    QPointer<QWidget> wait = help[0]->CalcolatoreWait();
    QVERIFY(wait && wait->isVisible());
    help[0]->SelezionaVoce(voce[0]->listWidget()->row(voce[0]));  // again: the same calculator
    QCOMPARE(help[0]->CalcolatoreWait(), wait.data());
    QCOMPARE(w.findChildren<velmora::tools::WaitCalculator*>().size(), 1);
    help[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(wait && wait->isVisible());

    Pulsante(w, "Command4")->click();
    QPointer<QWidget> guardia = w.findChild<velmora::tools::HelpBrowser*>();
    QVERIFY(guardia && guardia->isVisible());
    w.close();
    QVERIFY(!guardia || !guardia->isVisible());
    QVERIFY(!wait || !wait->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
