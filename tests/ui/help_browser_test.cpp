// The help browser: the page-choice rules, the version box, closing, and the
// export file.
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "guide_window.h"
#include "help_browser.h"
#include "help_pages.h"
#include "message_box.h"
#include "wait_calculator.h"

using velmora::tools::HelpBrowser;
using velmora::tools::ScegliPagina;
using velmora::tools::VociHelp;

namespace {

const QString kVersione = "18 Novembre 2015";

int Riga(const QString& voce) { return static_cast<int>(VociHelp().indexOf(voce)); }

// The title of a page: its first line that is not empty.
QString Titolo(const QString& pagina) {
  for (const QString& r : pagina.split("\r\n"))
    if (!r.trimmed().isEmpty()) return r;
  return {};
}

// Lines made only of "=": one under each page title.
int Sottolineature(const QString& pagina) {
  int n = 0;
  for (const QString& r : pagina.split("\r\n"))
    if (!r.isEmpty() && r.count('=') == r.size()) ++n;
  return n;
}

}  // namespace

class HelpBrowserTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    messaggi_.clear();
    domande_.clear();
    risposta_ = true;
    ambiente_.messaggio = [this](const QString& t) { messaggi_ << t; };
    ambiente_.domanda = [this](const QString&, const QString& t) {
      domande_ << t;
      return risposta_;
    };
  }

  // Entries without a page of their own (blanks, group headings, the last
  // entry) show the introduction again.
  void introduzioneDiNuovo_data() {
    QTest::addColumn<int>("riga");
    QTest::newRow("blank entry") << Riga(" ");
    QTest::newRow("timer heading") << Riga("-Interrupt Timer-");
    QTest::newRow("last entry") << Riga(VociHelp().last());
  }
  void introduzioneDiNuovo() {
    QFETCH(int, riga);
    HelpBrowser w(ambiente_, kVersione, QDir::tempPath());
    w.SelezionaVoce(Riga("DIM"));
    QVERIFY(w.TestoPagina() != velmora::tools::IntroduzioneHelp());
    w.SelezionaVoce(riga);
    QCOMPARE(w.TestoPagina(), velmora::tools::IntroduzioneHelp());
    QVERIFY(!w.PackageVisibile());
  }

  // The entry picks its page by the rules in order.
  void sceltaPagina_data() {
    QTest::addColumn<QString>("voce");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("SET TIMER ON/OFF is not SET") << "SET TIMER ON/OFF" << "ISTRUZIONI SET TIMER ON, SET TIMER OFF";
    QTest::newRow("SET") << "SET" << "ISTRUZIONE SET";
    QTest::newRow("CLEAR PORT as CLEAR") << "CLEAR PORT" << "ISTRUZIONI CLEAR, CLEAR LINE, CLEAR PORT";
    QTest::newRow("RESET CARRY as CLEAR CARRY") << "RESET CARRY" << "ISTRUZIONI CLEAR CARRY, RESET CARRY";
    QTest::newRow("RESET") << "RESET" << "ISTRUZIONE RESET";
    QTest::newRow("SYMBOL as CONST") << "SYMBOL" << "ISTRUZIONI CONST E SYMBOL";
    QTest::newRow("END is not END SUB") << "END" << "ISTRUZIONE END";
    QTest::newRow("END SUB is not SUB") << "END SUB" << "ISTRUZIONE END SUB";
    QTest::newRow("WAIT (Utility)") << "WAIT (Utility)" << "ISTRUZIONE WAIT";
  }
  void sceltaPagina() {
    QFETCH(QString, voce);
    QFETCH(QString, titolo);
    HelpBrowser w(ambiente_, kVersione, QDir::tempPath());
    w.SelezionaVoce(Riga(voce));
    QCOMPARE(Titolo(w.TestoPagina()), titolo);
    QCOMPARE(Sottolineature(w.TestoPagina()), 1);
    QVERIFY(w.TestoPagina().startsWith("\r\n"));
    QVERIFY(!w.PackageVisibile());
    QCOMPARE(w.CalcolatoreWait() != nullptr, voce == "WAIT (Utility)");
  }

  // Every entry with a page of its own gets exactly one page (one title: no
  // entry but "WAIT (Utility)" matches two rules, and that one's pages are one),
  // keyword pages end with their examples, and only the two special entries
  // show the picture or open the calculator. A page file missing from the
  // resources shows up here.
  void ogniVoceLaSuaPagina() {
    const qsizetype primaParolaChiave = VociHelp().indexOf("ASC");
    for (qsizetype i = 0; i < VociHelp().size(); ++i) {
      const QString voce = VociHelp().at(i);
      const auto p = ScegliPagina(voce, kVersione);
      QCOMPARE(p.apriCalcolatoreWait, voce == "WAIT (Utility)");
      QCOMPARE(p.mostraPackage, voce == "Package");
      const bool senzaPagina = voce.trimmed().isEmpty() || voce.startsWith('-') || voce == VociHelp().last();
      if (senzaPagina || voce == "Package" || voce == "Versione") continue;
      QVERIFY2(Sottolineature(p.testo) == 1, qPrintable(voce));
      if (i < primaParolaChiave) continue;
      QVERIFY2(p.testo.contains("\r\n---Esempio---\r\n") || p.testo.contains("\r\n---Esempi---\r\n"),
               qPrintable(voce));
    }
  }

  void package() {
    HelpBrowser w(ambiente_, kVersione, QDir::tempPath());
    w.show();
    w.SelezionaVoce(Riga("Package"));
    QVERIFY(w.PackageVisibile());
    QCOMPARE(w.TestoPagina(), QString("\r\n"));
    QVERIFY(w.findChild<QPlainTextEdit*>("Text1")->isHidden());
    w.SelezionaVoce(Riga("ASC"));
    QVERIFY(!w.PackageVisibile());
    QVERIFY(!w.findChild<QPlainTextEdit*>("Text1")->isHidden());
  }

  void versione() {
    const QString atteso = "\r\n \r\n \r\n \r\n"
                           "+-------------------------------------+\r\n"
                           "| Versione programma: 18 Novembre 2015|\r\n"
                           "+-------------------------------------+\r\n";
    QCOMPARE(ScegliPagina("Versione", kVersione).testo, atteso);
  }

  void chiusura_data() {
    QTest::addColumn<QString>("come");
    QTest::newRow("click on the caption") << "label";
    QTest::newRow("click on the background") << "sfondo";
  }
  void chiusura() {
    QFETCH(QString, come);
    QPointer<HelpBrowser> w = new HelpBrowser(ambiente_, kVersione, QDir::tempPath());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    if (come == "label") QTest::mouseClick(w->findChild<QLabel*>("Label1"), Qt::LeftButton);
    else QTest::mouseClick(w.data(), Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_VERIFY(w.isNull() || !w->isVisible());
    delete w.data();
  }

  void calcolatoreWait() {
    HelpBrowser w(ambiente_, kVersione, QDir::tempPath());
    w.SelezionaVoce(Riga("WAIT (Utility)"));
    QPointer<velmora::tools::WaitCalculator> calcolatore = w.CalcolatoreWait();
    QVERIFY(calcolatore);
    QVERIFY(calcolatore->isVisible());
    QCOMPARE(calcolatore->windowTitle(), QString("Controllo dell'istruzione wait"));
    QCOMPARE(Titolo(w.TestoPagina()), QString("ISTRUZIONE WAIT"));
    // Choosing it again brings the same window forward.
    w.SelezionaVoce(Riga("WAIT (Utility)"));
    QCOMPARE(w.CalcolatoreWait(), calcolatore.data());
    w.SelezionaVoce(Riga("WAIT"));
    QCOMPARE(w.CalcolatoreWait(), calcolatore.data());
  }

  void guidaDalUltimaVoce() {
    HelpBrowser w(ambiente_, kVersione, QDir::tempPath());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* lista = w.findChild<QListWidget*>("List1");
    QVERIFY(!w.findChild<velmora::tools::GuideWindow*>());
    const QRect r = lista->visualItemRect(lista->item(Riga("ASC")));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(!w.findChild<velmora::tools::GuideWindow*>());
    lista->scrollToBottom();
    const QRect ultima = lista->visualItemRect(lista->item(static_cast<int>(VociHelp().size()) - 1));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, ultima.center());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, ultima.center());
    auto* guida = w.findChild<velmora::tools::GuideWindow*>();
    QVERIFY(guida);
    QCOMPARE(guida->windowTitle(), QString("Help"));
  }

  // The export: every entry that is not blank, its page, two lines of one space.
  void esportazione() {
    QTemporaryDir cartella;
    HelpBrowser w(ambiente_, kVersione, cartella.path());
    const QString percorso = QDir(cartella.path()).filePath("TMP-HELP.TXT");
    QCOMPARE(w.PercorsoEsportazione(), percorso);
    QVERIFY(w.EsportaHelp());
    QCOMPARE(domande_, QStringList{"Invio su file una copia dell'Help? "});
    QCOMPARE(messaggi_, QStringList{"E' stato creato il file " + percorso});
    QVERIFY(!w.CalcolatoreWait());  // the export does not open the calculator

    QFile file(percorso);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString testo = QString::fromUtf8(file.readAll());
    // Entries in order, blanks skipped, each followed by its own page.
    QString atteso;
    for (const QString& voce : VociHelp()) {
      if (voce.trimmed().isEmpty()) continue;
      atteso += voce + "\r\n" + ScegliPagina(voce, kVersione).testo + "\r\n \r\n \r\n";
    }
    QCOMPARE(testo, atteso);
  }

  void esportazioneRifiutata() {
    QTemporaryDir cartella;
    risposta_ = false;
    HelpBrowser w(ambiente_, kVersione, cartella.path());
    QVERIFY(!w.EsportaHelp());
    QVERIFY(!QFile::exists(w.PercorsoEsportazione()));
    QVERIFY(messaggi_.isEmpty());
  }

  void esportazioneImpossibile() {
    QTemporaryDir cartella;
    const QString mancante = QDir(cartella.path()).filePath("non-esiste");
    HelpBrowser w(ambiente_, kVersione, mancante);
    QVERIFY(!w.EsportaHelp());
    QCOMPARE(messaggi_.size(), 1);
    QVERIFY(messaggi_.first().startsWith("Impossibile scrive l'Help su file. Errore: "));
    QVERIFY(messaggi_.first().contains(mancante));
  }

 private:
  QStringList messaggi_;
  QStringList domande_;
  bool risposta_ = true;
  velmora::ui::Ambiente ambiente_;
};

QTEST_MAIN(HelpBrowserTest)
#include "help_browser_test.moc"
