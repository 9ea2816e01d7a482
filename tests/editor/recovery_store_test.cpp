// Recovery copy: a copy left by a killed process is offered at start with
// the restore question's text, the periodic write while modified, removal on
// save and close, a declined copy kept until the next save, failures
// reported once.
#include "recovery_store.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using velmora::editor::RecoveryCopy;
using velmora::editor::RecoveryQuestion;
using velmora::editor::RecoveryStore;

namespace {

void Scrivi(const QString& path, const QByteArray& data) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(data);
}

const QDateTime kOra(QDate(2026, 12, 6), QTime(0, 30, 15), Qt::UTC);

}  // namespace

class RecoveryStoreTest : public QObject {
  Q_OBJECT

 private slots:
  // Files found in the data folder at start, as a killed process leaves
  // them, and what the new store offers.
  void leftByKilledProcess_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("original");
    QTest::newRow("saved program") << QByteArray("VELMORA-RECUPERO 1\nscritto=2026-12-06T00:30:15Z\n"
                                                 "file=/home/s/PROVA.bas\n\nDIM X AS BYTE\r\nX = 5\r\nEND\r\n")
                                   << true << "DIM X AS BYTE\r\nX = 5\r\nEND\r\n" << "/home/s/PROVA.bas";
    QTest::newRow("never saved, empty lines kept")
        << QByteArray("VELMORA-RECUPERO 1\nscritto=2026-12-06T01:30:15+01:00\nfile=\n\n\n\nEND")
        << true << "\n\nEND" << "";
    QTest::newRow("not a recovery copy") << QByteArray("DIM X AS BYTE\n\nEND") << false << "" << "";
    QTest::newRow("no time") << QByteArray("VELMORA-RECUPERO 1\nfile=/a.bas\n\nEND") << false << "" << "";
    QTest::newRow("cut before the text") << QByteArray("VELMORA-RECUPERO 1\nscritto=2026-12-06T00:30:15Z") << false
                                         << "" << "";
  }
  void leftByKilledProcess() {
    QFETCH(QByteArray, file);
    QFETCH(bool, offered);
    QTemporaryDir dir;
    Scrivi(dir.filePath(RecoveryStore::FileName()), file);
    RecoveryStore store(dir.path(), [] { return QString(); });
    QCOMPARE(store.pending().has_value(), offered);
    if (!offered) return;
    QTEST(store.pending()->text, "text");
    QTEST(store.pending()->originalPath, "original");
    QCOMPARE(store.pending()->written, kOra);
    // The restore question names the time written, in Italian form, and the file.
    const QString q = RecoveryQuestion(*store.pending());
    const QDateTime local = kOra.toLocalTime();
    QVERIFY(q.startsWith("È stata trovata una copia di recupero"));
    QVERIFY2(q.contains(local.toString("dd/MM/yyyy") + " alle " + local.toString("HH:mm:ss")), qPrintable(q));
    QVERIFY(q.contains(store.pending()->originalPath));
  }

  // Written every interval while modified, with the current text and the
  // file's path; save removes it.
  void periodicWriteAndSave() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("dati/Velmora");  // created on first write
    QString text = "X = 1";
    RecoveryStore store(folder, [&text] { return text; });
    store.setClock([] { return kOra; });
    store.setInterval(20);
    store.setOriginalPath("/p/A.bas");
    QVERIFY(!store.pending());
    store.setModified(true);
    QTRY_VERIFY(QFile::exists(store.path()));
    text = "X = 2";
    QTRY_COMPARE(RecoveryStore::Read(store.path())->text, QString("X = 2"));
    QCOMPARE(RecoveryStore::Read(store.path())->originalPath, QString("/p/A.bas"));

    store.saved();
    QVERIFY(!QFile::exists(store.path()));
    text = "X = 3";
    QTest::qWait(100);  // no write once saved
    QVERIFY(!QFile::exists(store.path()));
  }

  // A declined copy is kept aside while this session writes its own; a
  // normal close removes only the session's copy; the next save both.
  void declinedKeptUntilSave() {
    QTemporaryDir dir;
    RecoveryStore old(dir.path(), [] { return QString("VECCHIO"); });
    QVERIFY(old.writeNow());

    RecoveryStore store(dir.path(), [] { return QString("NUOVO"); });
    QCOMPARE(store.pending()->text, QString("VECCHIO"));
    store.declinePending();
    QVERIFY(!store.pending());
    QVERIFY(store.writeNow());
    QCOMPARE(RecoveryStore::Read(store.declinedPath())->text, QString("VECCHIO"));
    QCOMPARE(RecoveryStore::Read(store.path())->text, QString("NUOVO"));

    store.closedNormally();
    QVERIFY(!QFile::exists(store.path()));
    RecoveryStore next(dir.path(), [] { return QString(); });
    QCOMPARE(next.pending()->text, QString("VECCHIO"));  // offered again
    next.saved();
    QVERIFY(!QFile::exists(next.declinedPath()));
    QVERIFY(!RecoveryStore(dir.path(), [] { return QString(); }).pending());
  }

  // A data folder that cannot be made reports the path. The periodic write
  // reports a failure once, and again only after a write succeeded.
  void writeFailure() {
    QTemporaryDir dir;
    Scrivi(dir.filePath("file"), "x");
    RecoveryStore store(dir.filePath("file/sotto"), [] { return QString("X"); });
    QVERIFY(!store.writeNow());
    QVERIFY(store.errorString().contains(dir.filePath("file/sotto")));

    QSignalSpy failures(&store, &RecoveryStore::writeFailed);
    store.setInterval(10);
    store.setModified(true);
    QTRY_COMPARE(failures.count(), 1);
    QTest::qWait(100);  // several more failed writes
    QCOMPARE(failures.count(), 1);
    QVERIFY(QFile::remove(dir.filePath("file")));
    QTRY_VERIFY(QFile::exists(store.path()));
    QVERIFY(QFile::remove(store.path()) && QDir().mkdir(store.path()));  // a folder where the copy goes
    QTRY_COMPARE(failures.count(), 2);
  }
};

QTEST_MAIN(RecoveryStoreTest)
#include "recovery_store_test.moc"
