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

#include "file_dialog.h"
#include "main_window.h"
#include "message_box.h"
#include "settings.h"
#include "translator.h"

using namespace velmora::ui;

namespace {

QByteArray Leggi(const QString& percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<assente>");
}

void Scrivi(const QString& percorso, const QByteArray& dati) {
  QFile f(percorso);
  if (f.open(QIODevice::WriteOnly)) f.write(dati);
}

const QByteArray kProgramma("DIM X AS BYTE\nX = 1\nEND\n");

}  // namespace

class HostileInputTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QStringList messaggi_;
  QString daAprire_;

 private slots:
  void init() {
    const QString lavoro = radice_.filePath(QStringLiteral("lavoro"));
    QDir().mkpath(lavoro);
    Ambiente().elencoDischi = [] { return QStringList{}; };
    Ambiente().cartellaCorrente = [lavoro] { return lavoro; };
    messaggi_.clear();
    Hooks().message = [this](const QString& m) { messaggi_ << m; };
    Hooks().question = [](const QString&, const QString&) { return false; };
    FormSelectFile::AllaComparsa() = [this](FormSelectFile& d) {
      d.ImpostaPercorso(daAprire_);
      d.Ok();
    };
    MainWindow::Schermo() = [] { return QSize(1366, 768); };
    MainWindow::Pausa() = [](int) {};
  }
  void cleanup() {
    Ambiente() = AmbienteFile{};
    Hooks() = DialogHooks{};
    FormSelectFile::AllaComparsa() = nullptr;
    MainWindow::Schermo() = nullptr;
  }

  void fileOstile_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("traduce");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("byte NUL") << QByteArray("DIM X AS BYTE\nX = 1\0\nEND\n", 25) << false
                              << "Il file contiene un carattere nullo (codice 0) alla riga 2";
    QTest::newRow("UTF-8 non valido in un commento") << QByteArray("' \xff\xfe\xc3\n") + kProgramma << true << "";
    QTest::newRow("UTF-8 non valido in un'istruzione")
        << QByteArray("DIM X AS BYTE\nX = \xff\nEND\n") << false << "";
    QTest::newRow("una riga di un megabyte") << QByteArray("X = ") + QByteArray(1000000, '1') + "\nEND\n" << false
                                             << "Il file è troppo grande per essere un programma BASIC";
    QTest::newRow("una riga di mezzo megabyte") << QByteArray("X = ") + QByteArray(500000, '1') + "\nEND\n" << false
                                                << "La riga 1 è troppo lunga: 500004 caratteri";
    QTest::newRow("100000 righe vuote") << QByteArray(100000, '\n') + kProgramma << true << "";
    QTest::newRow("100000 istruzioni") << "DIM X AS BYTE\n" + QByteArray("X = 1\n").repeated(100000) + "END\n"
                                       << false << "Il file è troppo grande per essere un programma BASIC";
    QTest::newRow("60000 istruzioni") << "DIM X AS BYTE\n" + QByteArray("X = 1\n").repeated(60000) + "END\n"
                                      << false << "Programma troppo esteso";
  }
  void fileOstile() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, traduce);
    QFETCH(QString, messaggio);
    daAprire_ = radice_.filePath(QStringLiteral("ostile.bas"));
    Scrivi(daAprire_, contenuto);

    MainWindow w;
    w.Command3();
    QCOMPARE(w.FileCorrente(), daAprire_);
    const QString caricato = w.TextBasic()->toPlainText();
    QVERIFY(!caricato.isEmpty());
    w.Command1();

    QCOMPARE(messaggi_.size(), 1);
    const QString pannello = w.TextASM()->toPlainText();
    if (traduce) {
      QVERIFY(pannello.contains(QStringLiteral("\n        END")));
      QVERIFY(messaggi_.first().startsWith(QStringLiteral("Nome programma: OSTILE.BAS")));
    } else {
      QVERIFY2(pannello.startsWith(QStringLiteral("<*> ERRORE : ") + messaggio), qPrintable(pannello.left(200)));
      QCOMPARE(messaggi_.first().left(13), QStringLiteral("<*> ERRORE : "));
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
