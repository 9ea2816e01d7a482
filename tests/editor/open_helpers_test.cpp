// SPDX-License-Identifier: GPL-3.0-or-later
// The .bas path from a drop and from the command line.
#include "open_helpers.h"

#include <QMimeData>
#include <QUrl>
#include <QtTest>

class OpenHelpersTest : public QObject {
  Q_OBJECT

 private slots:
  void drop_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one .bas") << QList<QUrl>{QUrl::fromLocalFile("/p/PROVA.bas")} << "/p/PROVA.bas";
    QTest::newRow("first .bas among others")
        << QList<QUrl>{QUrl::fromLocalFile("/p/a.asm"), QUrl::fromLocalFile("/p/b.Bas"), QUrl::fromLocalFile("/p/c.bas")}
        << "/p/b.Bas";
    QTest::newRow("no .bas") << QList<QUrl>{QUrl::fromLocalFile("/p/a.asm"), QUrl::fromLocalFile("/p/bas")} << "";
    QTest::newRow("remote .bas") << QList<QUrl>{QUrl("https://example.org/a.bas")} << "";
    QTest::newRow("no urls") << QList<QUrl>{} << "";
  }
  void drop() {
    QFETCH(QList<QUrl>, urls);
    QMimeData mime;
    if (!urls.isEmpty()) mime.setUrls(urls);
    else mime.setText("/p/PROVA.bas");  // plain text is not a file drop
    QTEST(velmora::editor::BasPathFromDrop(&mime), "expected");
  }

  void arguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("relative") << QStringList{"velmora", "PROGRAMMA.bas"} << "/lavoro/PROGRAMMA.bas";
    QTest::newRow("absolute after DEBUG") << QStringList{"velmora", "DEBUG", "/p/x.BAS"} << "/p/x.BAS";
    QTest::newRow("dot segments") << QStringList{"velmora", "../a/b.bas"} << "/a/b.bas";
    QTest::newRow("only DEBUG") << QStringList{"velmora", "DEBUG"} << "";
    QTest::newRow("program name ignored") << QStringList{"prova.bas"} << "";
  }
  void arguments() {
    QFETCH(QStringList, args);
    QTEST(velmora::editor::BasPathFromArguments(args, "/lavoro"), "expected");
  }
};

QTEST_MAIN(OpenHelpersTest)
#include "open_helpers_test.moc"
