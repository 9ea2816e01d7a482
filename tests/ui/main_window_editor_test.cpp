// The BASIC editor inside the main window: colouring with the settings'
// colours, Find/Replace and Go to line reached from the window, opening a
// dropped or named .bas through the unsaved-changes question, the recovery
// copy from start to close, and the captions' size at two screen sizes.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "basic_highlighter.h"
#include "code_editor.h"
#include "editor_colours.h"
#include "find_replace_bar.h"
#include "go_to_line_dialog.h"
#include "main_window.h"
#include "recovery_store.h"
#include "settings_window.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;
using velmora::editor::RecoveryStore;

class MainWindowEditorTest : public QObject {
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

  // The settings' editor colours reach the colouring and the margin (a
  // keyword readable on that background), at start and from the settings window.
  void colorazioneConIColoriDelleImpostazioni_data() {
    QTest::addColumn<QByteArray>("sfondo");  // settings file form: blue, green, red
    QTest::addColumn<QByteArray>("testo");
    QTest::newRow("chiaro") << QByteArray("FFFFC0") << QByteArray("C00000");
    QTest::newRow("scuro") << QByteArray("202020") << QByteArray("E0E0E0");
    QTest::newRow("grigio medio") << QByteArray("808080") << QByteArray("0");
  }
  void colorazioneConIColoriDelleImpostazioni() {
    QFETCH(QByteArray, sfondo);
    QFETCH(QByteArray, testo);
    Scrivi(QDir(lavoro_).filePath(QStringLiteral("_PicConfig.Txt")),
           testo + "\r\n" + sfondo + "\r\n0\r\nE0E0E0\r\n 12\r\n 10\r\n\r\n 0\r\n 0\r\n" + lavoro_.toUtf8() +
               "\r\n\r\n\r\n\r\n");
    MainWindow w(r_->ambiente);
    const QColor atteso = ColoreDaIntero(static_cast<qint32>(sfondo.toUInt(nullptr, 16)));
    QCOMPARE(w.Colorazione()->background(), atteso);
    QCOMPARE(w.EditorBasic()->currentLineColour(), velmora::editor::Shade(atteso, 0.10));
    w.TextBasic()->setPlainText(QStringLiteral("DIM X AS BYTE\n"));
    const QList<QTextLayout::FormatRange> formati = w.TextBasic()->document()->firstBlock().layout()->formats();
    QVERIFY(!formati.isEmpty());
    QCOMPARE(formati.first().start, 0);
    QVERIFY(velmora::editor::ContrastRatio(formati.first().format.foreground().color(), atteso) >= 3.0);

    QTimer::singleShot(0, [] {
      auto* form = qobject_cast<Form3*>(QApplication::activeModalWidget());
      if (!form) return;
      form->Text1(2)->setText(QStringLiteral("405060"));  // BASIC background
      QTest::keyClick(form->Text1(2), Qt::Key_Return);
      form->close();
    });
    w.ApriImpostazioni();
    QCOMPARE(w.Colorazione()->background(), ColoreDaIntero(0x405060));
    QCOMPARE(w.EditorBasic()->currentLineColour(), velmora::editor::Shade(ColoreDaIntero(0x405060), 0.10));
  }

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
    QVERIFY(!barra->isVisible());
    QCOMPARE(w.TextBasic()->geometry(), pannello);

    w.Controllo(QStringLiteral("Command2"))->setFocus();
    QTimer::singleShot(0, [] {
      auto* dialogo = qobject_cast<velmora::editor::GoToLineDialog*>(QApplication::activeModalWidget());
      if (!dialogo) return;
      dialogo->findChild<QSpinBox*>()->setValue(3);
      dialogo->accept();
    });
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(w.EditorBasic()->currentLine(), 3);
  }

  // A dropped .bas and one named on the command line open through Apri's
  // question: Yes saves the changed text first (into a new file, which the
  // file dialog asks to create), No drops it. On the command line the
  // changed text is a restored recovery copy.
  void apertureConModifiche_data() {
    QTest::addColumn<bool>("rigaDiComando");
    QTest::addColumn<bool>("salvare");
    QTest::newRow("trascinato, salva") << false << true;
    QTest::newRow("trascinato, non salva") << false << false;
    QTest::newRow("riga di comando, salva") << true << true;
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
      dati.setUrls({QUrl::fromLocalFile(Percorso(QStringLiteral("note.txt")))});
      QDragEnterEvent rifiutato(QPoint(5, 5), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w.get(), &rifiutato);
      QVERIFY(!rifiutato.isAccepted());
      dati.setUrls({QUrl::fromLocalFile(Percorso(QStringLiteral("note.txt"))), QUrl::fromLocalFile(nuovo)});
      QDragEnterEvent entrata(QPoint(5, 5), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w.get(), &entrata);
      QVERIFY(entrata.isAccepted());
      QDropEvent rilascio(QPointF(5, 5), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w.get(), &rilascio);
      QVERIFY(rilascio.isAccepted());
      QTRY_COMPARE(w->FileCorrente(), nuovo);
    }
    QVERIFY(r_->domande.contains(QStringLiteral("***ATTENZIONE***\r\nSalvare le modifiche effettuate ?")));
    QCOMPARE(Leggi(salvato), salvare ? QByteArray("X = 1\r\n") : QByteArray("<assente>"));
    QCOMPARE(w->FileCorrente(), nuovo);
    QCOMPARE(w->TextBasic()->toPlainText(), QStringLiteral("END\n"));
    QCOMPARE(w->FlagTestoModificato(), 0);
  }

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
      QVERIFY(r_->domande[0].startsWith(QStringLiteral("È stato trovato un testo non salvato del file ") + originale));
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

  // While the text is changed the copy is written; a normal close removes it.
  void copiaDuranteLeModificheEChiusura() {
    MainWindow w(r_->ambiente);
    auto* store = w.findChild<RecoveryStore*>();
    QVERIFY(store);
    store->setInterval(20);
    w.TextBasic()->setPlainText(QStringLiteral("END\n"));
    QTRY_VERIFY(QFile::exists(Recupero()));
    QCOMPARE(RecoveryStore::Read(Recupero())->text, QStringLiteral("END\n"));
    w.close();  // the save dialog is cancelled
    QVERIFY(!QFile::exists(Recupero()));
  }

  // Every visible caption at 9 points or more, wholly inside its control; the
  // rows under the panes, inside the window and not overlapping.
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
    QStringList controllati;
    for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      auto* pulsante = qobject_cast<QPushButton*>(c);
      auto* etichetta = qobject_cast<QLabel*>(c);
      if ((!pulsante && !etichetta) || !c->isVisible()) continue;
      const QString testo = pulsante ? pulsante->text() : etichetta->text();
      controllati << c->objectName();
      QVERIFY2(c->font().pointSizeF() >= 9.0, qPrintable(c->objectName()));
      QVERIFY2(c->fontMetrics().horizontalAdvance(testo) <= c->contentsRect().width() - 4, qPrintable(c->objectName()));
      QVERIFY2(w.rect().contains(c->geometry()), qPrintable(c->objectName()));
      for (const QRect& r : occupati) QVERIFY2(!r.intersects(c->geometry()), qPrintable(c->objectName()));
      occupati << c->geometry();
    }
    QCOMPARE(controllati.size(), 18);  // 14 commands, TMR0, Assembla, the two labels
  }
};

QTEST_MAIN(MainWindowEditorTest)
#include "main_window_editor_test.moc"
