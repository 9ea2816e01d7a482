// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file and the work folder: the candidate folders on a fake drive
// list, the probe file, the 13-line format read and written byte for byte,
// the fix-ups of reading, and applying the values to editors and rows.
#include "settings.h"
#include "window_test.h"

using namespace velmora::ui;
using namespace velmora::test;

class SettingsTest : public QObject {
  Q_OBJECT

  QTemporaryDir radice_;
  QString disco1_, disco2_, corrente_;
  Ambiente a_;

 private slots:
  void init() {
    QVERIFY(radice_.isValid());
    QDir(radice_.path()).removeRecursively();
    QDir().mkpath(radice_.path());
    disco1_ = radice_.filePath(QStringLiteral("disco1"));
    disco2_ = radice_.filePath(QStringLiteral("disco2"));
    corrente_ = radice_.filePath(QStringLiteral("corrente"));
    for (const QString& d : {disco1_, disco2_, corrente_}) QVERIFY(QDir().mkpath(d));
    a_ = Ambiente();
    a_.elencoDischi = [this] { return QStringList{disco1_, disco2_}; };
    a_.cartellaCorrente = [this] { return radice_.filePath(QStringLiteral("avvio")); };
    a_.cartellaDati = [this] { return corrente_; };
  }

  void candidatiDaElencoDischi() {
    a_.elencoDischi = [] { return QStringList{QStringLiteral("c: [SISTEMA]"), QStringLiteral("/")}; };
    const QStringList c = CartelleCandidate(a_);
    QCOMPARE(c.size(), 13);
    QCOMPARE(c.mid(0, 6), (QStringList{"c:/Windows/Temp", "c:/Windows/System", "c:/Programmi/Windows NT",
                                       "c:/Programmi/Microsoft Office", "c:/Programmi/Adobe", "c:/Temp"}));
    QCOMPARE(c[6], QStringLiteral("/Windows/Temp"));
    QCOMPARE(c.last(), corrente_);

    // Seventeen drives give 102 names: the list stops at 100 and leaves out the current folder.
    a_.elencoDischi = [] {
      QStringList d;
      for (int i = 0; i < 17; ++i) d << QStringLiteral("/d%1").arg(i);
      return d;
    };
    const QStringList pieni = CartelleCandidate(a_);
    QCOMPARE(pieni.size(), kMaxCandidati);
    QCOMPARE(pieni.last(), QStringLiteral("/d16/Programmi/Microsoft Office"));
  }

  // Which folders exist decides the winner; the probe never stays behind.
  void cartellaScrivibile_data() {
    QTest::addColumn<QStringList>("daCreare");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("nessuna cartella fissa: quella dei dati") << QStringList{} << "corrente";
    QTest::newRow("Temp sul secondo disco") << QStringList{"disco2/Temp"} << "disco2/Temp";
    QTest::newRow("ordine delle cartelle sullo stesso disco")
        << QStringList{"disco1/Temp", "disco1/Programmi/Adobe"} << "disco1/Programmi/Adobe";
    QTest::newRow("il primo disco vince")
        << QStringList{"disco2/Windows/Temp", "disco1/Temp"} << "disco1/Temp";
  }
  void cartellaScrivibile() {
    QFETCH(QStringList, daCreare);
    QFETCH(QString, attesa);
    for (const QString& d : daCreare) QVERIFY(QDir(radice_.path()).mkpath(d));
    const QString trovata = TrovaCartellaScrivibile(a_);
    QCOMPARE(trovata, radice_.filePath(attesa));
    QVERIFY(!QFile::exists(trovata + QStringLiteral("/TmpABCTmp.Txt")));
    QCOMPARE(PercorsoConfigurazione(a_), trovata + QStringLiteral("/_PicConfig.Txt"));
  }

  // The data folder is made on first start, never the current folder; the
  // default one is under $XDG_DATA_HOME.
  void cartellaDatiCreata() {
    const QString dati = radice_.filePath(QStringLiteral("xdg/Velmora"));
    a_.cartellaDati = [dati] { return dati; };
    QVERIFY(QDir().mkpath(a_.CartellaCorrente()));  // writable, but not a candidate
    QCOMPARE(TrovaCartellaScrivibile(a_), dati);
    QVERIFY(QFileInfo(dati).isDir());
    qputenv("XDG_DATA_HOME", radice_.filePath(QStringLiteral("xdg")).toUtf8());
    QCOMPARE(Ambiente().CartellaDati(), dati);
  }

  // No writable candidate: nothing is read or written, and no error.
  void nessunaCartellaScrivibile() {
    Scrivi(disco1_ + QStringLiteral("/file"), "x");  // a file where the data folder's parent should be
    a_.cartellaDati = [this] { return disco1_ + QStringLiteral("/file/Velmora"); };
    QCOMPARE(TrovaCartellaScrivibile(a_), QString());
    QCOMPARE(PercorsoConfigurazione(a_), QString());
    Impostazioni v;
    v.ColoreSfondoBasic = 5;
    v.CartellaLavoro = QStringLiteral("prima");
    SalvaConfigurazione(a_, v);
    LeggiConfigurazione(a_, v);
    QCOMPARE(v.ColoreSfondoBasic, 5);
    QCOMPARE(v.CartellaLavoro, QStringLiteral("prima"));
    QCOMPARE(QDir(radice_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name), QStringList{});
  }

  // The 13-line format byte for byte; saved, read back and saved again it
  // gives the same bytes, so every line is read into its own value.
  void formatoEAndataERitorno() {
    const QString ultimo = corrente_ + "/prova è.bas";
    Scrivi(ultimo, "END\r\n");
    Impostazioni v;
    v.ColoreCarattereBasic = 0;
    v.ColoreSfondoBasic = InteroDaColore(QColor(192, 255, 255));
    v.ColoreCarattereASM = InteroDaColore(QColor(128, 0, 0));
    v.ColoreSfondoASM = 0x0A0B0C;
    v.FontSizeBasic = 14.25f;
    v.FontSizeASM = 10;
    v.FileCorrente = ultimo;
    v.FontBoldBasic = 1;
    v.CartellaLavoro = "/lavoro con spazi/";
    v.ValoreFrequenza = " 4.000 ";
    v.ValoreTMR0 = "è";
    const QByteArray atteso = "0\r\nFFFFC0\r\n80\r\nA0B0C\r\n 14.25\r\n 10\r\n" + ultimo.toUtf8() +
                              "\r\n 1\r\n 0\r\n/lavoro con spazi/\r\n 4.000 \r\n\r\n\xC3\xA8\r\n";
    SalvaConfigurazione(a_, v);
    QCOMPARE(Leggi(PercorsoConfigurazione(a_)), atteso);
    Impostazioni letto;
    LeggiConfigurazione(a_, letto);
    SalvaConfigurazione(a_, letto);
    QCOMPARE(Leggi(PercorsoConfigurazione(a_)), atteso);
  }

  void letturaDeiValori_data() {
    QTest::addColumn<QString>("riga");
    QTest::addColumn<qint32>("esadecimale");
    QTest::addColumn<double>("numero");
    QTest::newRow("abc") << "abc" << 0 << 0.0;
    QTest::newRow("FFFFC0") << "FFFFC0" << 0xFFFFC0 << 0.0;
    QTest::newRow("spazio 10") << " 10" << 0x10 << 10.0;
    QTest::newRow("numero seguito da testo") << "12.5pt" << 0 << 12.5;
    QTest::newRow("negativo") << "-3" << 0 << -3.0;
    QTest::newRow("esponente") << "1E2" << 0x1E2 << 100.0;
    QTest::newRow("E senza cifre") << "7E" << 0x7E << 7.0;
    QTest::newRow("solo punto") << "." << 0 << 0.0;
    QTest::newRow("otto cifre") << "FFFFFFFF" << -1 << 0.0;
    QTest::newRow("nove cifre") << "100000000" << 0 << 100000000.0;
  }
  void letturaDeiValori() {
    QFETCH(QString, riga);
    QTEST(LeggiEsadecimale(riga), "esadecimale");
    QTEST(LeggiNumero(riga), "numero");
  }

  // Bold lines are rounded halves to even; short files leave the rest empty.
  void grassettoEFileCorto() {
    Impostazioni v;
    InterpretaConfigurazione("0\r\n1\r\n0\r\n1\r\n 10\r\n 11\r\n\r\n 1.5\r\n 2.5", v);
    QCOMPARE(v.FontBoldBasic, qint16(2));
    QCOMPARE(v.FontBoldASM, qint16(2));
    QCOMPARE(v.FontSizeASM, 11.0f);
    QCOMPARE(v.CartellaLavoro, QString());
    QCOMPARE(v.ValoreTMR0, QString());
    InterpretaConfigurazione("FF\nFE\n", v);  // lone LF line ends read the same
    QCOMPARE(v.ColoreSfondoBasic, 0xFE);
  }

  // The values on entry stand for the editors' current look.
  void correzioniDellaLettura_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("coloriBasicDalFile");
    QTest::addColumn<bool>("coloriAsmDalFile");
    QTest::addColumn<float>("sizeBasic");
    QTest::addColumn<bool>("ultimoFileTenuto");
    QTest::newRow("nessun file") << QByteArray() << false << false << 14.25f << false;
    QTest::newRow("file completo")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n 9\r\n 9\r\n@ULTIMO@\r\n 0\r\n 0\r\n/lavoro\r\n\r\n\r\n\r\n") << true
        << true << 9.0f << true;
    QTest::newRow("carattere uguale allo sfondo")
        << QByteArray("5\r\n5\r\n3\r\n4\r\n 0\r\n 9\r\n@MANCANTE@\r\n") << false << true << 14.25f << false;
  }
  void correzioniDellaLettura() {
    QFETCH(QByteArray, file);
    QFETCH(bool, coloriBasicDalFile);
    QFETCH(bool, coloriAsmDalFile);
    QFETCH(bool, ultimoFileTenuto);
    const QString ultimo = corrente_ + QStringLiteral("/u.bas");
    Scrivi(ultimo, "END");
    if (!file.isNull()) {
      file.replace("@ULTIMO@", ultimo.toUtf8());
      file.replace("@MANCANTE@", (corrente_ + QStringLiteral("/sparito.bas")).toUtf8());
      Scrivi(PercorsoConfigurazione(a_), file);
    }
    Impostazioni v;
    v.ColoreCarattereBasic = 0xC00000;
    v.ColoreSfondoBasic = 0xFFFFC0;
    v.ColoreCarattereASM = 0x80;
    v.ColoreSfondoASM = 0xE0E0E0;
    v.FontSizeBasic = 14.25f;
    v.FontSizeASM = 14.25f;
    LeggiConfigurazione(a_, v);
    QCOMPARE(v.ColoreSfondoBasic, coloriBasicDalFile ? 2 : 0xFFFFC0);
    QCOMPARE(v.ColoreCarattereBasic, coloriBasicDalFile ? 1 : 0xC00000);
    QCOMPARE(v.ColoreSfondoASM, coloriAsmDalFile ? 4 : 0xE0E0E0);
    QTEST(v.FontSizeBasic, "sizeBasic");
    QCOMPARE(v.FileCorrente, ultimoFileTenuto ? ultimo : QString());
    QCOMPARE(v.CartellaLavoro, ultimoFileTenuto ? QStringLiteral("/lavoro") : corrente_);
  }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
