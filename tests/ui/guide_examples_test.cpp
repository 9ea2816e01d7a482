// The guide and the examples window: their texts, the print and save flows,
// and the four example programs shown exactly as they are in examples/.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "examples_window.h"
#include "guide_window.h"
#include "message_box.h"
#include "printing.h"
#include "translator.h"

using velmora::tools::ExamplesWindow;
using velmora::tools::GuideWindow;

namespace {

const QString kVersione = "18 Novembre 2015";

QString LeggiFile(const QString& percorso) {
  QFile file(percorso);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QString EsempioSuDisco(const QString& nome) {
  QString testo = LeggiFile(QStringLiteral(VELMORA_SOURCE_DIR "/examples/") + nome);
  testo.replace("\r\n", "\n");
  while (testo.endsWith('\n')) testo.chop(1);
  return testo.replace("\n", "\r\n");
}

}  // namespace

class GuideExamplesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    messaggi_.clear();
    domande_.clear();
    richieste_.clear();
    risposte_.clear();
    nomeFile_.clear();
    velmora::ui::Hooks().message = [this](const QString& t) { messaggi_ << t; };
    velmora::ui::Hooks().question = [this](const QString&, const QString& t) {
      domande_ << t;
      return !risposte_.isEmpty() && risposte_.takeFirst();
    };
    velmora::ui::Hooks().input = [this](const QString& prompt, const QString& titolo, const QString& def) {
      richieste_ << prompt << titolo << def;
      return nomeFile_;
    };
    QVERIFY(cartella_.isValid());
    velmora::ui::PdfDiProva() = QDir(cartella_.path()).filePath("stampa.pdf");
    QFile::remove(velmora::ui::PdfDiProva());
  }
  void cleanup() {
    velmora::ui::Hooks() = {};
    velmora::ui::PdfDiProva().clear();
  }

  void testoGuida() {
    const QString testo = velmora::tools::TestoGuida(kVersione);
    QVERIFY(testo.endsWith("\r\n"));
    QVERIFY(!testo.contains(QRegularExpression("[^\r]\n")));
    const QStringList righe = testo.split("\r\n");
    QVERIFY(righe.first().count('#') == righe.first().size());
    // The boxed sections in their order, each framed by a line of its own width.
    const QStringList sezioni = {"|   Sintassi e strutture Basic riconosciute   |",
                                 "|  Istruzioni orientate al micro PIC16F84  |",
                                 "|  Gestione delle Interrupt   |",
                                 "|   Funzioni logiche a 8 bit   |",
                                 "|   Espressioni aritmetiche a 8 bit   |",
                                 "|   Operazioni orientate ai bit   |"};
    qsizetype precedente = -1;
    for (const QString& sezione : sezioni) {
      const qsizetype i = righe.indexOf(sezione);
      QVERIFY2(i > precedente, qPrintable(sezione));
      const QString cornice = "+" + QString(sezione.size() - 2, '-') + "+";
      QCOMPARE(righe.at(i - 1), cornice);
      QCOMPARE(righe.at(i + 1), cornice);
      precedente = i;
    }
    const qsizetype attenzione = righe.indexOf("*** ATTENZIONE ***");
    QVERIFY(attenzione > precedente);
    QVERIFY(testo.contains("\"W#\""));
    QVERIFY(testo.contains("B'11001000'"));
    QVERIFY(testo.contains("0xC8"));
    QVERIFY(righe.contains("Versione: " + kVersione));
    QVERIFY(testo.contains("13 linee"));
  }

  void finestraGuida() {
    GuideWindow w(kVersione, cartella_.path());
    QCOMPARE(w.windowTitle(), QString("Help"));
    QString mostrato = velmora::tools::TestoGuida(kVersione);
    QCOMPARE(w.findChild<QPlainTextEdit*>("Text1")->toPlainText(), mostrato.replace("\r\n", "\n"));
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
    QTest::addColumn<int>("domande");
    QTest::addColumn<bool>("stampato");
    QTest::addColumn<bool>("salvato");
    QTest::newRow("print") << QList<bool>{true} << "" << 1 << true << false;
    QTest::newRow("save to a file") << QList<bool>{false, true} << "guida.txt" << 2 << false << true;
    QTest::newRow("save cancelled") << QList<bool>{false, true} << "" << 2 << false << false;
    QTest::newRow("neither") << QList<bool>{false, false} << "guida.txt" << 2 << false << false;
  }
  void stampaOSalvaGuida() {
    QFETCH(QList<bool>, risposte);
    QFETCH(QString, nome);
    QFETCH(int, domande);
    QFETCH(bool, stampato);
    QFETCH(bool, salvato);
    risposte_ = risposte;
    const QString percorso = nome.isEmpty() ? QString() : QDir(cartella_.path()).filePath(nome);
    nomeFile_ = percorso;
    QFile::remove(percorso);

    GuideWindow w(kVersione, cartella_.path());
    QTest::mouseDClick(w.findChild<QPlainTextEdit*>("Text1")->viewport(), Qt::LeftButton);

    const QStringList attese = {"Invio in stampa il testo dell'Help ?", "Invio su file il testo dell'Help ?"};
    QCOMPARE(domande_, attese.mid(0, domande));
    QCOMPARE(QFile::exists(velmora::ui::PdfDiProva()), stampato);
    if (risposte == QList<bool>{false, true}) {
      QCOMPARE(richieste_, (QStringList{"Indicare il nome completo del file", "Stampa Help",
                                         QDir(cartella_.path()).filePath("Velmora_Help.txt")}));
    } else {
      QVERIFY(richieste_.isEmpty());
    }
    QCOMPARE(!percorso.isEmpty() && QFile::exists(percorso), salvato);
    if (salvato) QCOMPARE(LeggiFile(percorso), velmora::tools::TestoGuida(kVersione) + "\r\n");
    QVERIFY(messaggi_.isEmpty());
  }

  void salvataggioGuidaImpossibile() {
    risposte_ = {false, true};
    nomeFile_ = QDir(cartella_.path()).filePath("manca/guida.txt");
    GuideWindow w(kVersione, cartella_.path());
    w.StampaOSalva();
    QCOMPARE(messaggi_.size(), 1);
    QVERIFY(messaggi_.first().contains(nomeFile_));
  }

  // The window shows the four programs of examples/ exactly, in order.
  void testoEsempi() {
    ExamplesWindow w;
    QCOMPARE(w.windowTitle(), QString("Esempi per il programma Velmora."));
    const QString testo = velmora::tools::TestoEsempi();
    QVERIFY(testo.startsWith("(Doppio click con il mouse per eseguire una stampa)\r\n"));
    QString mostrato = testo;
    QCOMPARE(w.findChild<QPlainTextEdit*>("Text1")->toPlainText(), mostrato.replace("\r\n", "\n"));

    const QStringList attesi = {"configurazione_io.bas", "lettura_eeprom.bas", "interrupt_b0.bas",
                                "lettura_linee_a.bas"};
    QCOMPARE(velmora::tools::FileEsempi(), attesi);
    qsizetype posizione = 0;
    for (const QString& nome : attesi) {
      const QString programma = EsempioSuDisco(nome);
      QVERIFY2(!programma.isEmpty(), qPrintable(nome));
      const qsizetype trovato = testo.indexOf(programma, posizione);
      QVERIFY2(trovato > posizione, qPrintable(nome));
      posizione = trovato + programma.size();
    }
    QCOMPARE(testo.count("'#  Fine dell'esempio"), 4);
  }

  // The programs as the window holds them translate (the resource is the file,
  // special characters included).
  void esempiTradotti() {
    for (const QString& nome : velmora::tools::FileEsempi()) {
      velmora::Translator traduttore;
      const auto r = traduttore.Translate(velmora::tools::TestoEsempio(nome).toStdString(), {});
      QVERIFY2(r.ok, qPrintable(nome + "\n" + QString::fromStdString(r.assembly)));
    }
  }

  void dimensioneEsempi() {
    ExamplesWindow w;
    const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
    QCOMPARE(w.size(), QSize(area.width() * 7 / 10, area.height() * 8 / 10));
  }

  void stampaEsempi_data() {
    QTest::addColumn<bool>("si");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
  }
  void stampaEsempi() {
    QFETCH(bool, si);
    risposte_ = {si};
    ExamplesWindow w;
    QTest::mouseDClick(w.findChild<QPlainTextEdit*>("Text1")->viewport(), Qt::LeftButton);
    QCOMPARE(domande_, QStringList{"Eseguo la stampa ?"});
    QCOMPARE(QFile::exists(velmora::ui::PdfDiProva()), si);
    if (si) QVERIFY(QFileInfo(velmora::ui::PdfDiProva()).size() > 1000);
  }

 private:
  QTemporaryDir cartella_;
  QStringList messaggi_;
  QStringList domande_;
  QStringList richieste_;
  QList<bool> risposte_;
  QString nomeFile_;
};

QTEST_MAIN(GuideExamplesTest)
#include "guide_examples_test.moc"
