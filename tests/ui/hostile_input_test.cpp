// The main window with files no student would write: each is opened through
// the file dialog and translated; the window shows the translator's message
// (or the assembly), the BASIC editor keeps the text it showed, and the file
// on disk keeps its bytes.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "main_window.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;

namespace {

const QByteArray kProgramma("DIM X AS BYTE\nX = 1\nEND\n");

}  // namespace

class HostileInputTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  std::unique_ptr<Registro> r_;
  QString daAprire_;

 private slots:
  void init() {
    const QString lavoro = radice_.filePath(QStringLiteral("lavoro"));
    QDir().mkpath(lavoro);
    r_ = std::make_unique<Registro>(lavoro);
    daAprire_ = radice_.filePath(QStringLiteral("ostile.bas"));
    r_->Dialoghi({Scegli(daAprire_)});
  }

  void fileOstile_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("traduce");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("byte NUL") << QByteArray("DIM X AS BYTE\nX = 1\0\nEND\n", 25) << false
                              << "Il file contiene un carattere nullo (codice 0) alla riga 2";
    QTest::newRow("UTF-8 non valido in un commento") << QByteArray("' \xff\xfe\xc3\n") + kProgramma << true << "";
    QTest::newRow("una riga di un megabyte") << QByteArray("X = ") + QByteArray(1000000, '1') + "\nEND\n" << false
                                             << "Il file è troppo grande per essere un programma BASIC";
  }
  void fileOstile() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, traduce);
    QFETCH(QString, messaggio);
    Scrivi(daAprire_, contenuto);

    MainWindow w(r_->ambiente);
    w.Command3();
    QCOMPARE(w.FileCorrente(), daAprire_);
    const QString caricato = w.TextBasic()->toPlainText();
    QVERIFY(!caricato.isEmpty());
    w.Command1();

    QCOMPARE(r_->messaggi.size(), 1);
    const QString pannello = w.TextASM()->toPlainText();
    if (traduce) {
      QVERIFY(pannello.contains(QStringLiteral("\n        END")));
      QVERIFY(r_->messaggi.first().startsWith(QStringLiteral("Nome programma: OSTILE.BAS")));
    } else {
      QVERIFY2(pannello.startsWith(QStringLiteral("<*> ERRORE : ") + messaggio), qPrintable(pannello.left(200)));
      QCOMPARE(r_->messaggi.first().left(13), QStringLiteral("<*> ERRORE : "));
      QVERIFY2(pannello.size() < 400, "the error block echoes the source");
    }
    // The editor keeps what it showed (a missing final line end is added);
    // the file keeps its bytes.
    const QString dopo = w.TextBasic()->toPlainText();
    QVERIFY(dopo == caricato || dopo == caricato + QLatin1Char('\n'));
    QCOMPARE(Leggi(daAprire_), contenuto);
    QCOMPARE(w.FlagTestoModificato(), 0);
  }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
