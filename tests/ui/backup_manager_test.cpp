// SPDX-License-Identifier: GPL-3.0-or-later
// Backup manager: the archive's bytes, the copies, the list and the flows
// that change them, in a temporary work folder with a fixed clock.
#include "backup_manager.h"
#include "window_test.h"

using velmora::ui::BackupManager;
using namespace velmora::test;

namespace {

// One archive record from its four fields, each padded to its width.
QByteArray Record(const QByteArray& data, const QByteArray& ora, const QByteArray& nota,
                  const QByteArray& numero) {
  return data.leftJustified(10, ' ') + ora.leftJustified(5, ' ') + nota.leftJustified(31, ' ') +
         numero.leftJustified(4, ' ');
}

}  // namespace

class BackupManagerTest : public QObject {
  Q_OBJECT

  QTemporaryDir cartella_;
  QString lavoro_;
  std::unique_ptr<Registro> r_;

  QString Archivio() const { return cartella_.path() + "/ArchivioGenerale.Txt"; }
  QString Copia(const char* nome) const { return cartella_.path() + "/" + nome; }

  static void Nota(BackupManager& d, const QString& nota) {
    auto* text2 = Figlio(d, "Text2");
    QFocusEvent entra(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(text2, &entra);
    if (!nota.isNull()) text2->setText(nota);
  }

  // Types the note, presses "Salva copia": the flow a user follows.
  void SalvaCopia(const QString& testo, const QString& nota) {
    BackupManager d(r_->ambiente, lavoro_, testo);
    Nota(d, nota);
    Figlio<QPushButton>(d, "Command1")->click();
  }

  static void Seleziona(BackupManager& d, int riga) {
    auto* list1 = Figlio<QListWidget>(d, "List1");
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QListWidgetItem* voce = list1->item(riga);
    QVERIFY(voce != nullptr);
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, list1->visualItemRect(voce).center());
  }

  static QStringList Voci(BackupManager& d) {
    QStringList voci;
    auto* list1 = Figlio<QListWidget>(d, "List1");
    for (int i = 0; i < list1->count(); ++i) voci << list1->item(i)->text();
    return voci;
  }

 private slots:
  void init() {
    QDir(cartella_.path()).removeRecursively();
    QDir().mkpath(cartella_.path());
    lavoro_ = cartella_.path() + "/";
    r_ = std::make_unique<Registro>();
    r_->ambiente.orologio = [] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7, 42)); };
  }
  // Every error and question is a box titled "Backup File Basic", never the self-closing box.
  void cleanup() {
    QVERIFY(r_->messaggi.isEmpty());
    for (const QString& titolo : r_->titoliAvvisi + r_->titoliDomande) QCOMPARE(titolo, QStringLiteral("Backup File Basic"));
  }

  // A copy's record byte for byte: date and time from the clock, the note in
  // Windows-1252 cut or padded to 31 bytes, and its list entry; the copy holds
  // the editor text exactly (UTF-8, no line end added).
  void recordScritto_data() {
    QTest::addColumn<QString>("nota");
    QTest::addColumn<QByteArray>("campoNota");
    QTest::addColumn<QString>("voceNota");
    QTest::newRow("cut at 31 accented")
        << "àèìòù àèìòù àèìòù àèìòù àèìòù àèìòù" << QByteArray("\xE0\xE8\xEC\xF2\xF9 ").repeated(5) + "\xE0"
        << "àèìòù àèìòù àèìòù àèìòù àèìòù à";
    QTest::newRow("euro and no code page") << "€ 5 αβ" << QByteArray("\x80 5 ??") << "€ 5 ??";
  }
  void recordScritto() {
    QFETCH(QString, nota);
    QFETCH(QByteArray, campoNota);
    QFETCH(QString, voceNota);
    SalvaCopia("città = 1\nEND", nota);
    QCOMPARE(r_->avvisi, QStringList());
    QCOMPARE(Leggi(Archivio()), Record("05/03/24", "09:07", campoNota, "1"));
    QCOMPARE(Leggi(Copia("Velmora0001.txt")), QString("città = 1\r\nEND").toUtf8());

    // Read back by a new window: the entry shows each field at full width.
    BackupManager d(r_->ambiente, lavoro_, QString());
    QCOMPARE(Voci(d), QStringList{"05/03/24   | 09:07 | " + voceNota.leftJustified(31, ' ') + " | 1   "});
  }

  // Elimina BackUp on the older copy (or the only one), or the whole archive
  // cancelled: Yes marks the record in place and removes the copy, No keeps
  // both; a deleted copy's number is never given again, but with no copy
  // left the archive file goes and numbering starts again at 1.
  void cancellazione_data() {
    QTest::addColumn<int>("copie");
    QTest::addColumn<bool>("archivio");  // Cancella archivio, else Elimina BackUp
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<QByteArray>("numero");  // the next copy's
    QTest::newRow("older copy, yes") << 2 << false << true << QByteArray("3");
    QTest::newRow("older copy, no") << 2 << false << false << QByteArray("3");
    QTest::newRow("last copy deleted") << 1 << false << true << QByteArray("1");
    QTest::newRow("archive cancelled") << 2 << true << true << QByteArray("1");
  }
  void cancellazione() {
    QFETCH(int, copie);
    QFETCH(bool, archivio);
    QFETCH(bool, risposta);
    QFETCH(QByteArray, numero);
    SalvaCopia("A = 1", "prima");
    if (copie == 2) SalvaCopia("A = 2", "seconda");
    QByteArray atteso = Leggi(Archivio());
    r_->Risposte({risposta});
    {
      BackupManager d(r_->ambiente, lavoro_, QString());
      if (!archivio) Seleziona(d, copie - 1);  // the newest copy comes first
      Figlio<QPushButton>(d, archivio ? "Command4" : "Command3")->click();
      QCOMPARE(r_->domande, QStringList{archivio ? "Vuoi cancellare tutti i BackUp registrati ? "
                                                 : "Cancello il file di backup: \n05/03/24   09:07 prima"});
      QCOMPARE(Voci(d).size(), !risposta ? copie : archivio ? 0 : copie - 1);
      QVERIFY(!Figlio<QPushButton>(d, "Command3")->isEnabled());
    }
    const bool riparte = numero == "1";
    if (riparte) atteso.clear();
    else if (risposta) atteso.replace(0, 10, "??????????");
    QCOMPARE(QFile::exists(Archivio()), !riparte);
    QCOMPARE(QFile::exists(Copia("Velmora0001.txt")), !risposta);
    QCOMPARE(QFile::exists(Copia("Velmora0002.txt")), copie == 2 && !archivio);
    QCOMPARE(r_->avvisi, QStringList());
    SalvaCopia("A = 9", "dopo");
    QCOMPARE(Leggi(Archivio()), atteso + Record("05/03/24", "09:07", "dopo", numero));
    QCOMPARE(Leggi(Copia(("Velmora000" + numero + ".txt").constData())), QByteArray("A = 9"));
  }

  // Restoring hands the copy's text back and closes the window; a copy in
  // Windows-1252 reads as such; an unreadable copy hands back nothing.
  void ripristina_data() {
    QTest::addColumn<QByteArray>("contenuto");  // empty: the copy file is missing
    QTest::addColumn<QString>("atteso");
    QTest::newRow("utf-8, CR LF") << QString("città = 1\r\nEND").toUtf8() << "città = 1\nEND";
    QTest::newRow("windows-1252") << QByteArray("' perch\xE9\nEND") << "' perché\nEND";
    QTest::newRow("missing") << QByteArray() << "nuovo testo";
  }
  void ripristina() {
    QFETCH(QByteArray, contenuto);
    SalvaCopia("vecchio", "nota");
    if (contenuto.isEmpty()) QFile::remove(Copia("Velmora0001.txt"));
    else Scrivi(Copia("Velmora0001.txt"), contenuto);
    BackupManager d(r_->ambiente, lavoro_, QStringLiteral("nuovo testo"));
    Seleziona(d, 0);
    Figlio<QPushButton>(d, "Command5")->click();
    QCOMPARE(d.Ripristinato(), !contenuto.isEmpty());
    QTEST(d.Ripristinato() ? d.TestoRipristinato() : QStringLiteral("nuovo testo"), "atteso");
    QCOMPARE(d.isVisible(), contenuto.isEmpty());
    QCOMPARE(r_->avvisi.size(), contenuto.isEmpty() ? 1 : 0);
    if (contenuto.isEmpty())
      QVERIFY(r_->avvisi[0].startsWith("Si è verificato un errore nel ripristinare il file.\nErrore:"));
  }

  // The note field clears its prompt and enables "Salva copia" only when the
  // editor holds text; a typed note stays.
  void campoNota_data() {
    QTest::addColumn<QString>("editore");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<bool>("salva");
    const QString prompt = "***Inserisci una nota per il backup***";
    QTest::newRow("empty editor") << "" << prompt << prompt << false;
    QTest::newRow("prompt cleared") << "A = 1" << prompt << "" << true;
    QTest::newRow("typed note kept") << "A = 1" << "mia nota" << "mia nota" << true;
  }
  void campoNota() {
    QFETCH(QString, editore);
    QFETCH(QString, prima);
    QFETCH(bool, salva);
    BackupManager d(r_->ambiente, lavoro_, editore);
    Figlio(d, "Text2")->setText(prima);
    Nota(d, QString());
    QTEST(Figlio(d, "Text2")->text(), "dopo");
    QCOMPARE(Figlio<QPushButton>(d, "Command1")->isEnabled(), salva);
    Figlio<QPushButton>(d, "Command1")->click();
    QCOMPARE(QFile::exists(Copia("Velmora0001.txt")), salva);
  }

  // Saving is refused, with the archive and every copy untouched, when the
  // numbering is exhausted or the copy cannot be written.
  void copiaRifiutata_data() {
    QTest::addColumn<QByteArray>("numero");
    QTest::addColumn<QString>("ostacolo");  // a folder standing where the copy goes
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("above 9999") << QByteArray("9999") << "" << "numero massimo di copie (9999)";
    QTest::newRow("copy not writable") << QByteArray("41") << "Velmora0042.txt" << "Impossibile scrivere il file ";
  }
  void copiaRifiutata() {
    QFETCH(QByteArray, numero);
    QFETCH(QString, ostacolo);
    QFETCH(QString, messaggio);
    const QByteArray archivio = Record("01/01/24", "10:00", "vecchia", numero);
    Scrivi(Archivio(), archivio);
    if (!ostacolo.isEmpty()) QDir(cartella_.path()).mkdir(ostacolo);
    SalvaCopia("A = 1", "nuova");
    QCOMPARE(r_->avvisi.size(), 1);
    QVERIFY2(r_->avvisi[0].contains(messaggio), qPrintable(r_->avvisi[0]));
    QCOMPARE(Leggi(Archivio()), archivio);
    QVERIFY(!QFile::exists(Copia("Velmora0000.txt")));
  }

  // Enter in the folder field moves the backup folder only to a folder that
  // exists; the work folder follows it.
  void cartellaNuova_data() {
    QTest::addColumn<QString>("sottocartella");
    QTest::addColumn<bool>("esiste");
    QTest::newRow("existing, trailing slash") << "altra/" << true;
    QTest::newRow("missing") << "mancante" << false;
  }
  void cartellaNuova() {
    QFETCH(QString, sottocartella);
    QFETCH(bool, esiste);
    const QString altra = cartella_.path() + "/" + sottocartella;
    if (esiste) QDir().mkpath(altra);
    SalvaCopia("A = 1", "qui");
    BackupManager d(r_->ambiente, lavoro_, QStringLiteral("A = 1"));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto* text1 = Figlio(d, "Text1");
    QCOMPARE(text1->text(), cartella_.path());
    text1->setText(altra);
    QTest::keyClick(text1, Qt::Key_Return);
    QVERIFY(d.isVisible());  // Enter presses no button
    if (!esiste) {
      QCOMPARE(d.CartellaLavoro(), lavoro_);
      QCOMPARE(r_->avvisi.size(), 1);
      QVERIFY2(r_->avvisi[0].startsWith("Errore:"), qPrintable(r_->avvisi[0]));
      QCOMPARE(Voci(d).size(), 1);
      return;
    }
    QCOMPARE(d.CartellaLavoro(), cartella_.path() + "/altra");
    QCOMPARE(Voci(d), QStringList());
    Nota(d, "là");
    Figlio<QPushButton>(d, "Command1")->click();
    QCOMPARE(Leggi(altra + "Velmora0001.txt"), QByteArray("A = 1"));
  }

};

int main(int argc, char** argv) {
  // Italian regional settings, so the short date is dd/MM/yy.
  qputenv("LC_ALL", "it_IT.UTF-8");
  QApplication app(argc, argv);
  BackupManagerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "backup_manager_test.moc"
