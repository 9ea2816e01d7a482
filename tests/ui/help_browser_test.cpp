// SPDX-License-Identifier: GPL-3.0-or-later
// The help browser: the page-choice rules (which entries show the picture or
// open the WAIT calculator), the version box, closing, the guide it opens,
// and the export file.
#include "guide_window.h"
#include "help_browser.h"
#include "help_pages.h"
#include "window_test.h"

using velmora::tools::HelpBrowser;
using velmora::tools::ScegliPagina;
using velmora::tools::VociHelp;
using namespace velmora::test;

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

  std::unique_ptr<Registro> r_;
  QTemporaryDir cartella_;

 private slots:
  void init() { r_ = std::make_unique<Registro>(); }

  // The entry picks its page by the rules in order; entries without a page
  // of their own (blanks, group headings, the last entry) show the
  // introduction again.
  void sceltaPagina_data() {
    QTest::addColumn<QString>("voce");
    QTest::addColumn<QString>("titolo");  // empty: the introduction
    QTest::newRow("SET TIMER ON/OFF is not SET") << "SET TIMER ON/OFF" << "ISTRUZIONI SET TIMER ON, SET TIMER OFF";
    QTest::newRow("SET") << "SET" << "ISTRUZIONE SET";
    QTest::newRow("CLEAR PORT as CLEAR") << "CLEAR PORT" << "ISTRUZIONI CLEAR, CLEAR LINE, CLEAR PORT";
    QTest::newRow("RESET CARRY as CLEAR CARRY") << "RESET CARRY" << "ISTRUZIONI CLEAR CARRY, RESET CARRY";
    QTest::newRow("RESET") << "RESET" << "ISTRUZIONE RESET";
    QTest::newRow("SYMBOL as CONST") << "SYMBOL" << "ISTRUZIONI CONST E SYMBOL";
    QTest::newRow("END is not END SUB") << "END" << "ISTRUZIONE END";
    QTest::newRow("END SUB is not SUB") << "END SUB" << "ISTRUZIONE END SUB";
    QTest::newRow("WAIT (Utility)") << "WAIT (Utility)" << "ISTRUZIONE WAIT";
    QTest::newRow("blank entry") << " " << "";
    QTest::newRow("timer heading") << "-Interrupt Timer-" << "";
    QTest::newRow("last entry") << VociHelp().last() << "";
  }
  void sceltaPagina() {
    QFETCH(QString, voce);
    const QString testo = ScegliPagina(voce, kVersione).testo;
    QTEST(testo == velmora::tools::IntroduzioneHelp() ? QString() : Titolo(testo), "titolo");
  }

  // Every entry with a page of its own gets exactly one page (one title after
  // an empty line: no
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
      QVERIFY2(Sottolineature(p.testo) == 1 && p.testo.startsWith("\r\n"), qPrintable(voce));
      if (i < primaParolaChiave) continue;
      QVERIFY2(p.testo.contains("\r\n---Esempio---\r\n") || p.testo.contains("\r\n---Esempi---\r\n"), qPrintable(voce));
    }
  }

  // "Package" shows the picture instead of the text, "Versione" the version
  // box; a click on an entry shows its page, and a double click on the last
  // entry opens the guide, on another does not.
  void finestra() {
    HelpBrowser w(r_->ambiente, kVersione, QDir::tempPath());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* testo = Figlio<QPlainTextEdit>(w, "Text1");
    w.SelezionaVoce(Riga("Package"));
    QVERIFY(w.PackageVisibile() && testo->isHidden());
    QCOMPARE(w.TestoPagina(), QString("\r\n"));
    w.SelezionaVoce(Riga("Versione"));
    QCOMPARE(w.TestoPagina(), QString("\r\n \r\n \r\n \r\n"
                                      "+-------------------------------------+\r\n"
                                      "| Versione programma: 18 Novembre 2015|\r\n"
                                      "+-------------------------------------+\r\n"));
    auto* lista = Figlio<QListWidget>(w, "List1");
    for (const int riga : {Riga("ASC"), static_cast<int>(VociHelp().size()) - 1}) {
      lista->scrollToItem(lista->item(riga));
      const QPoint centro = lista->visualItemRect(lista->item(riga)).center();
      QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro);
      QCOMPARE(w.TestoPagina(), ScegliPagina(lista->item(riga)->text(), kVersione).testo);
      QVERIFY(!w.PackageVisibile() && !testo->isHidden());
      QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, centro);
      auto* guida = w.findChild<velmora::tools::GuideWindow*>();
      QCOMPARE(guida != nullptr, riga != Riga("ASC"));
      if (guida) QCOMPARE(guida->windowTitle(), QString("Help"));
    }
  }

  // A click on the caption or on the background closes the window.
  void chiusura() {
    for (const bool etichetta : {true, false}) {
      QPointer<HelpBrowser> w = new HelpBrowser(r_->ambiente, kVersione, QDir::tempPath());
      w->show();
      QVERIFY(QTest::qWaitForWindowExposed(w));
      if (etichetta) QTest::mouseClick(Figlio<QLabel>(*w, "Label1"), Qt::LeftButton);
      else QTest::mouseClick(w.data(), Qt::LeftButton, {}, QPoint(3, 3));
      QTRY_VERIFY(w.isNull() || !w->isVisible());
      delete w.data();
    }
  }

  // The export: every entry that is not blank, its page, two lines of one
  // space; No writes nothing; a missing folder gives the error message.
  void esportazione_data() {
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<bool>("cartellaMancante");
    QTest::newRow("written") << true << false;
    QTest::newRow("declined") << false << false;
    QTest::newRow("folder missing") << true << true;
  }
  void esportazione() {
    QFETCH(bool, risposta);
    QFETCH(bool, cartellaMancante);
    const QString cartella = cartellaMancante ? cartella_.filePath("non-esiste") : cartella_.path();
    const QString percorso = QDir(cartella).filePath("TMP-HELP.TXT");
    QFile::remove(percorso);
    r_->Risposte({risposta});
    HelpBrowser w(r_->ambiente, kVersione, cartella);
    QCOMPARE(w.PercorsoEsportazione(), percorso);
    QCOMPARE(w.EsportaHelp(), risposta && !cartellaMancante);
    QCOMPARE(r_->domande, QStringList{"Invio su file una copia dell'Help? "});
    QVERIFY(!w.CalcolatoreWait());  // the export does not open the calculator
    QCOMPARE(r_->messaggi.size(), risposta ? 1 : 0);
    if (!risposta) QVERIFY(!QFile::exists(percorso));
    if (!risposta || cartellaMancante) {
      QVERIFY(!risposta || r_->messaggi[0].startsWith("Impossibile scrive l'Help su file. Errore: " ));
      QVERIFY(!risposta || r_->messaggi[0].contains(cartella));
      return;
    }
    QCOMPARE(r_->messaggi[0], "E' stato creato il file " + percorso);
    QString atteso;  // entries in order, blanks skipped, each followed by its own page
    for (const QString& voce : VociHelp())
      if (!voce.trimmed().isEmpty()) atteso += voce + "\r\n" + ScegliPagina(voce, kVersione).testo + "\r\n \r\n \r\n";
    QCOMPARE(QString::fromUtf8(Leggi(percorso)), atteso);
  }
};

QTEST_MAIN(HelpBrowserTest)
#include "help_browser_test.moc"
