// The guide and the examples window: the print and save flows, and the four
// example programs shown exactly as they are in examples/.
#include "examples_window.h"
#include "guide_window.h"
#include "translator.h"
#include "window_test.h"

using velmora::tools::ExamplesWindow;
using velmora::tools::GuideWindow;
using namespace velmora::test;

namespace {

const QString kVersione = "18 Novembre 2015";

}  // namespace

class GuideExamplesTest : public QObject {
  Q_OBJECT

  QTemporaryDir cartella_;
  std::unique_ptr<Registro> r_;

  QString Percorso(const QString& nome) const { return QDir(cartella_.path()).filePath(nome); }

 private slots:
  void init() {
    r_ = std::make_unique<Registro>();
    r_->ambiente.pdfDiProva = Percorso("stampa.pdf");
    QFile::remove(r_->ambiente.pdfDiProva);
  }

  // The guide's text, every line ended by CR LF, with the version date; a
  // click closes the window.
  void finestraGuida() {
    const QString testo = velmora::tools::TestoGuida(kVersione);
    QVERIFY(testo.endsWith("\r\n"));
    QVERIFY(!testo.contains(QRegularExpression("[^\r]\n|\r[^\n]")));
    QVERIFY(testo.split("\r\n").contains("Versione: " + kVersione));
    GuideWindow w(r_->ambiente, kVersione, cartella_.path());
    QCOMPARE(Figlio<QPlainTextEdit>(w, "Text1")->toPlainText(), SenzaCr(testo));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
  }

  // Double click on the guide: print, or save to a file, or nothing.
  void stampaOSalvaGuida_data() {
    QTest::addColumn<QList<bool>>("risposte");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("stampato");
    QTest::addColumn<bool>("salvato");
    QTest::newRow("print") << QList<bool>{true} << "" << true << false;
    QTest::newRow("save to a file") << QList<bool>{false, true} << "guida.txt" << false << true;
    QTest::newRow("save cancelled") << QList<bool>{false, true} << "" << false << false;
    QTest::newRow("save impossible") << QList<bool>{false, true} << "manca/guida.txt" << false << false;
    QTest::newRow("neither") << QList<bool>{false, false} << "guida.txt" << false << false;
  }
  void stampaOSalvaGuida() {
    QFETCH(QList<bool>, risposte);
    QFETCH(QString, nome);
    QFETCH(bool, salvato);
    r_->risposte.assign(risposte.begin(), risposte.end());
    const QString percorso = nome.isEmpty() ? QString() : Percorso(nome);
    r_->testoInput = percorso;
    QFile::remove(percorso);

    GuideWindow w(r_->ambiente, kVersione, cartella_.path());
    QTest::mouseDClick(Figlio<QPlainTextEdit>(w, "Text1")->viewport(), Qt::LeftButton);
    const QStringList attese = {"Invio in stampa il testo dell'Help ?", "Invio su file il testo dell'Help ?"};
    QCOMPARE(r_->domande, attese.mid(0, risposte.size()));
    QTEST(QFile::exists(r_->ambiente.pdfDiProva), "stampato");
    const bool chiesto = risposte == QList<bool>{false, true};
    const QStringList richiesta = {"Indicare il nome completo del file", "Stampa Help", Percorso("Velmora_Help.txt")};
    QCOMPARE(r_->richieste, chiesto ? richiesta : QStringList());
    QCOMPARE(!percorso.isEmpty() && QFile::exists(percorso), salvato);
    if (salvato) QCOMPARE(QString::fromUtf8(Leggi(percorso)), velmora::tools::TestoGuida(kVersione) + "\r\n");
    const bool impossibile = chiesto && nome.contains('/');
    QCOMPARE(r_->messaggi.size(), impossibile ? 1 : 0);
    if (impossibile) QVERIFY(r_->messaggi[0].contains(percorso));
  }

  // The window shows the programs of examples/ exactly, in order; as the
  // window holds them (special characters included) they translate.
  void testoEsempi() {
    ExamplesWindow w(r_->ambiente);
    const QString testo = velmora::tools::TestoEsempi();
    QCOMPARE(Figlio<QPlainTextEdit>(w, "Text1")->toPlainText(), SenzaCr(testo));
    QCOMPARE(velmora::tools::FileEsempi().size(), 7);
    qsizetype posizione = 0;
    for (const QString& nome : velmora::tools::FileEsempi()) {
      QString programma = SenzaCr(QString::fromUtf8(Leggi(QStringLiteral(VELMORA_SOURCE_DIR "/examples/") + nome)));
      while (programma.endsWith('\n')) programma.chop(1);
      programma.replace("\n", "\r\n");
      QVERIFY2(!programma.isEmpty(), qPrintable(nome));
      const qsizetype trovato = testo.indexOf(programma, posizione);
      QVERIFY2(trovato > posizione, qPrintable(nome));
      posizione = trovato + programma.size();
      const auto r = velmora::Translator().Translate(velmora::tools::TestoEsempio(nome).toStdString(), {});
      QVERIFY2(r.ok, qPrintable(nome + "\n" + QString::fromStdString(r.assembly)));
    }
  }

  // Double click on the examples: the question, and the print only on Yes.
  void stampaEsempi() {
    for (const bool si : {true, false}) {
      QFile::remove(r_->ambiente.pdfDiProva);
      r_->domande.clear();
      r_->Risposte({si});
      ExamplesWindow w(r_->ambiente);
      QTest::mouseDClick(Figlio<QPlainTextEdit>(w, "Text1")->viewport(), Qt::LeftButton);
      QCOMPARE(r_->domande, QStringList{"Eseguo la stampa ?"});
      QCOMPARE(QFileInfo(r_->ambiente.pdfDiProva).size() > 1000, si);
    }
  }
};

QTEST_MAIN(GuideExamplesTest)
#include "guide_examples_test.moc"
