// The file selection dialog on fake drives: where it opens, what OK returns
// (cancel, bare names, new files created or not, creation failures), Enter,
// the delete button.
#include "file_dialog.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;

class FileDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString disco1_, disco2_, corrente_;
  std::unique_ptr<Registro> r_;

  QString Crea(const QString& relativo, const QByteArray& dati = "x") {
    const QString percorso = radice_.filePath(relativo);
    QDir().mkpath(QFileInfo(percorso).path());
    Scrivi(percorso, dati);
    return percorso;
  }

 private slots:
  void init() {
    QDir(radice_.path()).removeRecursively();
    QDir().mkpath(radice_.path());
    disco1_ = radice_.filePath(QStringLiteral("disco1"));
    disco2_ = radice_.filePath(QStringLiteral("disco2"));
    corrente_ = radice_.filePath(QStringLiteral("disco2/corrente"));
    for (const QString& d : {disco1_, disco2_, corrente_}) QDir().mkpath(d);
    r_ = std::make_unique<Registro>(corrente_, QStringList{disco1_, disco2_});
  }

  // Where the dialog opens: a proposal's folder, else the first drive whose
  // "Velmora Programmi" holds files, else the current folder.
  void apertura_data() {
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("proposta");
    QTest::addColumn<QString>("cartella");
    QTest::addColumn<QString>("campo");
    QTest::newRow("nessuna cartella programmi") << QStringList{} << "" << "disco2/corrente" << "";
    QTest::newRow("cartella programmi vuota sul primo disco")
        << QStringList{"disco1/Velmora Programmi/", "disco2/Velmora Programmi/a.bas"} << ""
        << "disco2/Velmora Programmi" << "";
    QTest::newRow("primo disco con file")
        << QStringList{"disco1/Velmora Programmi/a.bas", "disco2/Velmora Programmi/b.bas"} << ""
        << "disco1/Velmora Programmi" << "";
    QTest::newRow("proposta con doppia barra")
        << QStringList{"disco1/src/p.bas"} << "@/disco1/src//p.bas" << "disco1/src" << "@/disco1/src/p.bas";
    QTest::newRow("nome senza cartella") << QStringList{} << "Pic16F84.Def" << "disco2/corrente"
                                         << "Pic16F84.Def";
    QTest::newRow("cartella sparita: la madre")
        << QStringList{"disco1/src/p.bas"} << "@/disco1/src/via/p.bas" << "disco1/src"
        << "@/disco1/src/via/p.bas";
  }
  void apertura() {
    QFETCH(QStringList, file);
    QFETCH(QString, proposta);
    QFETCH(QString, cartella);
    QFETCH(QString, campo);
    for (const QString& f : file) {
      if (f.endsWith(QLatin1Char('/'))) QDir().mkpath(radice_.filePath(f));
      else Crea(f);
    }
    proposta.replace(QLatin1Char('@'), radice_.path());
    campo.replace(QLatin1Char('@'), radice_.path());
    FormSelectFile dialogo(r_->ambiente, proposta, QStringLiteral("Apertura File"));
    QCOMPARE(dialogo.CartellaCorrente(), radice_.filePath(cartella));
    QCOMPARE(dialogo.Percorso(), campo);
    QCOMPARE(dialogo.DiscoCorrente(), cartella.startsWith(QLatin1String("disco1")) ? disco1_ : disco2_);
    QVERIFY(!dialogo.CancellaVisibile());
  }

  // What OK leaves in the caller's path for a given field text and answer;
  // a file that cannot be created gives the system's reason and number, and
  // the dialog stays open with an empty field.
  void ok_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<QString>("atteso");  // "proposta": the dialog stays open
    QTest::addColumn<bool>("domanda");    // Yes to it creates the file empty
    QTest::newRow("campo vuoto") << "  " << true << "" << false;
    QTest::newRow("radice") << "/" << true << "" << false;
    QTest::newRow("nome esistente nella cartella") << " esiste.bas " << true << "@/disco2/corrente/esiste.bas" << false;
    QTest::newRow("doppia barra tolta") << "@/disco1//x.bas" << true << "@/disco1/x.bas" << false;
    QTest::newRow("nuovo nome, si") << "nuovo.bas" << true << "@/disco2/corrente/nuovo.bas" << true;
    QTest::newRow("nuovo nome, no") << "nuovo.bas" << false << "" << true;
    QTest::newRow("creazione impossibile") << "@/disco1/x.bas/nuovo.bas" << true << "proposta" << true;
  }
  void ok() {
    QFETCH(QString, campo);
    QFETCH(bool, risposta);
    QFETCH(QString, atteso);
    QFETCH(bool, domanda);
    Crea(QStringLiteral("disco2/corrente/esiste.bas"));
    Crea(QStringLiteral("disco1/x.bas"));
    campo.replace(QLatin1Char('@'), radice_.path());
    atteso.replace(QLatin1Char('@'), radice_.path());
    r_->Risposte({risposta});
    FormSelectFile dialogo(r_->ambiente, QStringLiteral("proposta"), QStringLiteral("Salvataggio File"));
    dialogo.show();
    dialogo.ImpostaPercorso(campo);
    dialogo.Ok();
    const bool errore = atteso == QLatin1String("proposta");
    QCOMPARE(dialogo.FileScelto(), atteso);
    QCOMPARE(dialogo.isVisible(), errore);
    QCOMPARE(dialogo.result(), errore ? 0 : int(QDialog::Accepted));
    QCOMPARE(r_->domande, domanda ? QStringList{QStringLiteral("Il file indicato non esiste. Deve essere creato?")}
                               : QStringList{});
    const QString nuovo = radice_.filePath(QStringLiteral("disco2/corrente/nuovo.bas"));
    QCOMPARE(QFile::exists(nuovo), !errore && domanda && risposta);
    if (QFile::exists(nuovo)) QCOMPARE(QFileInfo(nuovo).size(), 0);
    QCOMPARE(r_->messaggi, errore ? QStringList{QStringLiteral("Il file indicato non può essere creato.\r\nErrore: ") +
                                                QStringLiteral("non è una cartella") +
                                                QStringLiteral("\r\n(Codice errore %1)").arg(ENOTDIR)}
                                  : QStringList{});
    if (errore) QCOMPARE(dialogo.Percorso(), QString());
  }

  // Enter in the path field is OK, once; a folder name enters the folder.
  void invioECartelle() {
    Crea(QStringLiteral("disco2/corrente/sotto/a.bas"));
    FormSelectFile dialogo(r_->ambiente, QString(), QStringLiteral("Apertura File"));
    dialogo.show();
    dialogo.ImpostaPercorso(QStringLiteral("sotto"));
    auto* campo = Figlio(dialogo, "FileTesto");
    QTest::keyClick(campo, Qt::Key_Return);
    QVERIFY(dialogo.isVisible());
    QCOMPARE(dialogo.CartellaCorrente(), radice_.filePath(QStringLiteral("disco2/corrente/sotto")));
    QCOMPARE(dialogo.FileElencati(), QStringList{QStringLiteral("a.bas")});
    campo->setText(QStringLiteral("a.bas"));
    QTest::keyClick(campo, Qt::Key_Return);
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.FileScelto(), radice_.filePath(QStringLiteral("disco2/corrente/sotto/a.bas")));
    QVERIFY(r_->domande.isEmpty());
  }

  // ANNULLA and the window's close control both hand back no file.
  void annullaEChiusura() {
    for (const bool conPulsante : {true, false}) {
      FormSelectFile dialogo(r_->ambiente, QStringLiteral("/proposto.bas"), QStringLiteral("Apertura File"));
      dialogo.show();
      if (conPulsante) Premi(Figlio<QPushButton>(dialogo, "BTNAnnulla"));
      else dialogo.close();
      QCOMPARE(dialogo.FileScelto(), QString());
    }
  }

  // Picking a file fills the path and shows CANCELLA; a folder click hides it.
  void selezioneECancellazione_data() {
    QTest::addColumn<bool>("risposta");
    QTest::newRow("si") << true;
    QTest::newRow("no") << false;
  }
  void selezioneECancellazione() {
    QFETCH(bool, risposta);
    const QString a = Crea(QStringLiteral("disco2/corrente/a.bas"));
    Crea(QStringLiteral("disco2/corrente/b.bas"));
    FormSelectFile dialogo(r_->ambiente, QString(), QStringLiteral("Apertura File"));
    QCOMPARE(dialogo.FileElencati(), (QStringList{QStringLiteral("a.bas"), QStringLiteral("b.bas")}));
    dialogo.SelezionaFile(QStringLiteral("a.bas"));
    QVERIFY(dialogo.CancellaVisibile());
    QCOMPARE(dialogo.Percorso(), a);
    r_->Risposte({risposta});
    dialogo.Cancella();
    QCOMPARE(r_->domande, QStringList{QStringLiteral("\r\nCANCELLO IL FILE SELEZIONATO ?\r\n") + a + QStringLiteral("\r\n")});
    QCOMPARE(QFile::exists(a), !risposta);
    QCOMPARE(dialogo.CancellaVisibile(), !risposta);
    QCOMPARE(dialogo.FileElencati().contains(QStringLiteral("a.bas")), !risposta);
    QCOMPARE(dialogo.Percorso(), risposta ? QString() : a);

    dialogo.SelezionaFile(QStringLiteral("b.bas"));
    dialogo.SelezionaCartella(disco1_);
    QVERIFY(!dialogo.CancellaVisibile());
    QCOMPARE(dialogo.Percorso(), disco1_);
    r_->domande.clear();
    dialogo.Cancella();  // a folder is never deleted
    QVERIFY(r_->domande.isEmpty());
    QVERIFY(QFileInfo(disco1_).isDir());
  }
};

QTEST_MAIN(FileDialogTest)
#include "file_dialog_test.moc"
