// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping as a debugger steps, and values changed while stopped, on the
// real gpasm and gpsim: each row a program, the steps taken (Passo, Passo
// sopra, Esci dalla SUB) and the BASIC line each one stops on; a value typed
// into the variables table while paused changes an IF's branch; a pin
// clicked while paused is forced.
#include <QLineEdit>

#include "sim_bench.h"
#include "value_editor.h"

using velmora::test::Bench;

namespace {

// X = 0 takes the THEN branch, X = 1 the ELSE branch.
QString IfForDo(int x) {
  return QStringLiteral(
             "DIM X AS BYTE\r\nDIM I AS BYTE\r\nX = %1\r\nIF X = 0 THEN\r\n  X = 1\r\nELSE\r\n  X = 2\r\nEND IF\r\n"
             "FOR I = 1 TO 2\r\n  X = X + 1\r\nNEXT I\r\nDO WHILE X < 5\r\n  X = X + 1\r\nLOOP\r\nEND\r\n")
      .arg(x);
}

const char* const kSelect =
    "DIM X AS BYTE\r\nDIM Y AS BYTE\r\nX = 1\r\nSELECT CASE X\r\nCASE 1\r\n  Y = 1\r\nCASE 2\r\n  Y = 2\r\n"
    "END SELECT\r\nEND\r\n";

// UNO adds 1, calls DUE (adds 5), adds 1: each CALL UNO adds 7.
const char* const kSubs =
    "DIM X AS BYTE\r\nX = 0\r\nCALL UNO\r\nX = X + 10\r\nCALL UNO\r\nEND\r\nSUB UNO\r\n  X = X + 1\r\n  CALL DUE\r\n"
    "  X = X + 1\r\nEND SUB\r\nSUB DUE\r\n  X = X + 5\r\nEND SUB\r\n";

}  // namespace

class SteppingTest : public QObject {
  Q_OBJECT

 private slots:
  void stopLines_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("steps");  // p Passo, o Passo sopra, u Esci dalla SUB
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QString>("x");  // X at the end
    // Never on ELSE (6) after the THEN branch, nor on LOOP (14); once a turn on NEXT (11) and on DO WHILE (12).
    QTest::newRow("IF, FOR, DO WHILE") << IfForDo(0) << QStringLiteral("ppppppppppppp")
                                       << QList<int>{4, 5, 9, 10, 11, 10, 11, 12, 13, 12, 13, 12, 15} << QStringLiteral("5");
    QTest::newRow("ELSE branch, END IF") << IfForDo(1) << QStringLiteral("ppp") << QList<int>{4, 7, 9} << QStringLiteral("2");
    // After CASE 1's body, not on CASE 2 (whose line starts with the jump out).
    QTest::newRow("SELECT CASE") << QString::fromLatin1(kSelect) << QStringLiteral("ppp") << QList<int>{5, 6, 10}
                                 << QStringLiteral("1");
    QTest::newRow("over the CALLs") << QString::fromLatin1(kSubs) << QStringLiteral("oooo") << QList<int>{3, 4, 5, 6}
                                    << QStringLiteral("24");
    QTest::newRow("into UNO, over DUE, out") << QString::fromLatin1(kSubs) << QStringLiteral("ppoou")
                                             << QList<int>{3, 8, 9, 10, 4} << QStringLiteral("7");
    QTest::newRow("out of DUE, out of UNO") << QString::fromLatin1(kSubs) << QStringLiteral("ppppuu")
                                            << QList<int>{3, 8, 9, 13, 10, 4} << QStringLiteral("7");
    QTest::newRow("out in the main program is a step") << QString::fromLatin1(kSubs) << QStringLiteral("u")
                                                       << QList<int>{3} << QStringLiteral("0");
  }

  void stopLines() {
    QFETCH(QString, source);
    QFETCH(QString, steps);
    QFETCH(QList<int>, lines);
    QFETCH(QString, x);
    Bench b;
    QVERIFY2(b.load(source.toStdString()), b.error.c_str());
    QList<int> seen;
    for (QChar step : steps) {
      QVERIFY(b.stopAfter(step == QLatin1Char('p') ? "passo" : step == QLatin1Char('o') ? "passo_sopra" : "esci_sub"));
      seen << b.window.controller().currentBasicLine();
    }
    QCOMPARE(seen, lines);
    QCOMPARE(b.variable(QStringLiteral("X"), 2), x);
  }

  // Stopped on the IF, X is typed anew: the branch follows the typed value.
  void typedValueChangesTheIfBranch_data() {
    QTest::addColumn<QString>("typed");  // empty: nothing typed
    QTest::addColumn<QString>("shown");  // X's decimal cell after Enter
    QTest::addColumn<QString>("y");
    QTest::newRow("as it was") << QString() << QStringLiteral("0") << QStringLiteral("2");
    QTest::newRow("decimal") << QStringLiteral("5") << QStringLiteral("5") << QStringLiteral("1");
    QTest::newRow("&H") << QStringLiteral("&H05") << QStringLiteral("5") << QStringLiteral("1");
    QTest::newRow("binary") << QStringLiteral("B'00000101'") << QStringLiteral("5") << QStringLiteral("1");
    QTest::newRow("0x, other value") << QStringLiteral("0x06") << QStringLiteral("6") << QStringLiteral("2");
    QTest::newRow("too large: refused") << QStringLiteral("300") << QStringLiteral("0") << QStringLiteral("2");
  }

  void typedValueChangesTheIfBranch() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, y);
    Bench b;
    QVERIFY2(b.load("DIM X AS BYTE\r\nDIM Y AS BYTE\r\nX = 0\r\nIF X = 5 THEN\r\n  Y = 1\r\nELSE\r\n  Y = 2\r\nEND IF\r\n"
                    "END\r\n"),
             b.error.c_str());
    b.basic.setBreakpoints({4});
    QVERIFY(b.stopAfter("esegui"));
    QCOMPARE(b.window.controller().currentBasicLine(), 4);
    if (!typed.isEmpty()) {
      b.window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&b.window));
      auto* table = b.window.findChild<QTableWidget*>(QStringLiteral("variabili"));
      QTableWidgetItem* hex = b.cell(QStringLiteral("X"), 3);
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(hex).center());
      auto* field = b.window.findChild<QLineEdit*>(QStringLiteral("valore_a_mano"));
      QVERIFY(field && field->isVisible());
      QCOMPARE(field->text(), QStringLiteral("0"));
      field->selectAll();
      QTest::keyClicks(field, typed);
      QTest::keyClick(field, Qt::Key_Return);
      QVERIFY(b.ready());
      QTRY_COMPARE(b.variable(QStringLiteral("X"), 2), shown);
      QCOMPARE(b.window.controller().chip().reg(0x0C), shown.toInt());  // what gpsim holds
    }
    QVERIFY(b.stopAfter("esegui"));
    QVERIFY2(b.window.message().contains(QStringLiteral("SLEEP")), qPrintable(b.window.message()));
    QCOMPARE(b.variable(QStringLiteral("Y"), 2), y);
  }

  // While paused, a click forces an output (its port latch) and an input
  // (its source); the registers table and the chip agree. While running, a
  // click on an output changes nothing.
  void pinsForcedWhilePaused() {
    Bench b;
    QVERIFY2(b.load("CONFIG B AS OUTPUT\r\nDIM X AS BYTE\r\nOUTPUT B, 1\r\nX = 1\r\nDO\r\nLOOP\r\n"
                    "END\r\n"),
             b.error.c_str());
    b.basic.setBreakpoints({4});
    QVERIFY(b.stopAfter("esegui"));
    QCOMPARE(b.window.controller().chip().reg(0x06), 0x01);
    QTest::mouseClick(b.led(QStringLiteral("B3")), Qt::LeftButton);
    QVERIFY(b.ready());
    QTRY_COMPARE(b.window.controller().chip().reg(0x06), 0x09);
    QVERIFY(b.led(QStringLiteral("B3"))->isHigh() && b.led(QStringLiteral("B0"))->isHigh());
    QTest::mouseClick(b.led(QStringLiteral("A2")), Qt::LeftButton);
    QVERIFY(b.ready());
    QTRY_COMPARE(b.window.controller().chip().reg(0x05) & 0x04, 0x04);
    QVERIFY(b.led(QStringLiteral("A2"))->isHigh());
    b.trigger("esegui");
    QTRY_VERIFY(b.window.controller().running());
    QVERIFY(!b.window.controller().forcePin({'B', 5}));
    QVERIFY(b.stopAfter("pausa"));
    QCOMPARE(b.window.controller().chip().reg(0x06), 0x09);  // the program kept what was forced
  }

  void typedNumbers() {
    struct Row { const char* text; qint64 value; };
    for (const Row& row : {Row{"200", 200}, Row{"-1", -1}, Row{"0x1F", 31}, Row{"&h1f", 31}, Row{" B'101' ", 5},
                           Row{"b'11111111'", 255}})
      QCOMPARE(velmora::simulator::ParseTypedNumber(QLatin1String(row.text)), std::optional<std::int64_t>(row.value));
    for (const char* bad : {"", "1.5", "0x", "&H", "B'102'", "12a", "--1", "B'1"})
      QVERIFY2(!velmora::simulator::ParseTypedNumber(QLatin1String(bad)), bad);
    // An INTEGER at 0x0E: little-endian, -2 in two's complement; too many values refused.
    velmora::toolchain::Variable v{"N", 0x0E, "INTEGER", 4, 2};
    QString error;
    const auto writes = velmora::simulator::VariableWrites(v, {-2, 0x1234}, &error);
    QVERIFY(writes);
    QCOMPARE(*writes, (std::vector<std::pair<int, int>>{{0x0E, 0xFE}, {0x0F, 0xFF}, {0x10, 0x34}, {0x11, 0x12}}));
    QVERIFY(!velmora::simulator::VariableWrites(v, {1, 2, 3}, &error));
    QVERIFY(!velmora::simulator::VariableWrites(v, {65536}, &error));
    QVERIFY(error.contains(QStringLiteral("da -32768 a 65535")));
  }
};

QTEST_MAIN(SteppingTest)
#include "stepping_test.moc"
