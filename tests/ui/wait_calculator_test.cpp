// The WAIT calculator: the two pause formulas, the square-wave generator with
// its linked indices, the red marking, the form choice and closing.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "wait_calculator.h"

using velmora::tools::WaitCalculator;

namespace {

QLineEdit* Campo(QWidget& w, const char* nome) { return w.findChild<QLineEdit*>(nome); }
QString Testo(QWidget& w, const char* nome) { return Campo(w, nome)->text(); }
bool Rosso(QWidget& w, const char* nome) {
  return Campo(w, nome)->palette().color(QPalette::Base) == QColor(255, 0, 0);
}

}  // namespace

class WaitCalculatorTest : public QObject {
  Q_OBJECT

 private slots:
  // Opening values; the generator starts in the double form at 440 Hz, 4 MHz,
  // the state the "Ns 17 gives Np 15" row checks in full.
  void apertura() {
    WaitCalculator w;
    QCOMPARE(Testo(w, "Text8"), QString(" 513"));
    QCOMPARE(Testo(w, "Text12"), QString(" 66049"));
    QVERIFY(w.findChild<QCheckBox*>("Check2")->isChecked());
    QVERIFY(!w.findChild<QCheckBox*>("Check1")->isChecked());
    QCOMPARE(Testo(w, "Text3"), QString("15"));
    QCOMPARE(Testo(w, "Text4"), QString("17"));
  }

  void pausaNp_data() {
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("np");
    QTest::addColumn<QString>("pausa");
    QTest::newRow("4 MHz, 128") << "4.0" << "128" << " 513";
    QTest::newRow("10 MHz, 1") << "10" << "1" << " 2";
    QTest::newRow("20 MHz, 255") << "20" << "255" << " 204.2";
    QTest::newRow("Np above 255") << "4" << "300" << "Np oltre 255";
    QTest::newRow("Np 0 keeps the last result") << "4" << "0" << " 513";
    QTest::newRow("no number keeps the last result") << "4" << "abc" << " 513";
    QTest::newRow("negative crystal keeps the last result") << "-4" << "10" << " 513";
  }
  void pausaNp() {
    QFETCH(QString, mhz);
    QFETCH(QString, np);
    WaitCalculator w;
    Campo(w, "Text6")->setText(mhz);
    Campo(w, "Text7")->setText(np);
    QTEST(Testo(w, "Text8"), "pausa");
  }

  void pausaNpNs_data() {
    QTest::addColumn<QString>("mhz");
    QTest::addColumn<QString>("np");
    QTest::addColumn<QString>("ns");
    QTest::addColumn<QString>("pausa");
    QTest::newRow("10 MHz, 123, 205") << "10" << "123" << "205" << " 40541.2";
    // 4*255*256+1 does not fit 16 bits; the figure is still exact.
    QTest::newRow("longest at 4 MHz") << "4" << "255" << "255" << " 261121";
    QTest::newRow("shortest at 20 MHz") << "20" << "1" << "1" << " 1.8";
    QTest::newRow("Ns above 255") << "4" << "1" << "300" << "Ns oltre 255";
    QTest::newRow("Np above 255") << "4" << "256" << "1" << "Np oltre 255";
    QTest::newRow("Ns 0 keeps the last result") << "4" << "1" << "0" << " 517";
  }
  void pausaNpNs() {
    QFETCH(QString, mhz);
    QFETCH(QString, np);
    QFETCH(QString, ns);
    WaitCalculator w;
    Campo(w, "Text9")->setText(mhz);
    Campo(w, "Text10")->setText(np);
    Campo(w, "Text11")->setText(ns);
    QTEST(Testo(w, "Text12"), "pausa");
  }

  // Double form: each index follows the other; the scroll bars write the fields.
  void generatoreDoppio_data() {
    QTest::addColumn<QString>("azione");
    QTest::addColumn<int>("valore");
    QTest::addColumn<QString>("np");
    QTest::addColumn<QString>("ns");
    QTest::addColumn<QString>("generata");
    QTest::addColumn<QString>("errore");
    QTest::addColumn<bool>("npRosso");
    QTest::addColumn<bool>("nsRosso");
    QTest::newRow("Np 255 gives Ns 0") << "Text3" << 255 << "255" << "0" << " 489.7" << " 11.29" << false << true;
    QTest::newRow("Ns 17 gives Np 15") << "Text4" << 17 << "15" << "17" << " 462.5" << " 5.12" << false << false;
    QTest::newRow("Ns 10 gives Np 25") << "Text4" << 10 << "25" << "10" << " 454.1" << " 3.21" << false << false;
    QTest::newRow("Ns above 255") << "Text4" << 300 << "0" << "300" << "Ns oltre 255: non ottenibile" << ""
                                  << true << true;
    QTest::newRow("scroll bar of Np") << "VScroll1" << 20 << "20" << "13" << " 446" << " 1.37" << false << false;
    QTest::newRow("scroll bar of Ns") << "VScroll2" << 10 << "25" << "10" << " 454.1" << " 3.21" << false << false;
    QTest::newRow("wanted 1000 Hz") << "Text1" << 1000 << "15" << "7" << " 1039.5" << " 3.95" << false << false;
    QTest::newRow("crystal 8 MHz") << "Text2" << 8 << "15" << "36" << " 450.2" << " 2.32" << false << false;
  }
  void generatoreDoppio() {
    QFETCH(QString, azione);
    QFETCH(int, valore);
    WaitCalculator w;
    if (azione.startsWith("VScroll"))
      w.findChild<QScrollBar*>(azione)->setValue(valore);
    else
      Campo(w, qPrintable(azione))->setText(QString::number(valore));
    QTEST(Testo(w, "Text3"), "np");
    QTEST(Testo(w, "Text4"), "ns");
    QTEST(Testo(w, "Text13"), "generata");
    QTEST(Testo(w, "Text5"), "errore");
    QTEST(Rosso(w, "Text3"), "npRosso");
    QTEST(Rosso(w, "Text4"), "nsRosso");
    // The scroll bars follow the fields they can show.
    const int np = Testo(w, "Text3").toInt();
    if (np >= 1 && np <= 255) QCOMPARE(w.findChild<QScrollBar*>("VScroll1")->value(), np);
    const int ns = Testo(w, "Text4").toInt();
    if (ns >= 1 && ns <= 255) QCOMPARE(w.findChild<QScrollBar*>("VScroll2")->value(), ns);
  }

  // Single form: Np from the wanted frequency; Ns is hidden.
  void generatoreSingolo() {
    WaitCalculator w;
    auto* check1 = w.findChild<QCheckBox*>("Check1");
    auto* check2 = w.findChild<QCheckBox*>("Check2");
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(check1->isChecked());
    QVERIFY(!check2->isChecked());
    QVERIFY(Campo(w, "Text4")->isHidden());
    QVERIFY(w.findChild<QScrollBar*>("VScroll2")->isHidden());
    QVERIFY(w.findChild<QLabel*>("Label7")->isHidden());
    // 440 Hz at 4 MHz would need Np 283.
    QCOMPARE(Testo(w, "Text3"), QString("283"));
    QVERIFY(Rosso(w, "Text3"));
    QCOMPARE(Testo(w, "Text13"), QString("Np oltre 255: non ottenibile"));
    QVERIFY(Testo(w, "Text5").isEmpty());
    QVERIFY(w.findChild<QLabel*>("UnitaGenerata")->isHidden());

    Campo(w, "Text1")->setText("1000");
    QCOMPARE(Testo(w, "Text3"), QString("124"));
    QVERIFY(!Rosso(w, "Text3"));
    QCOMPARE(Testo(w, "Text13"), QString(" 1006"));
    QVERIFY(!w.findChild<QLabel*>("UnitaGenerata")->isHidden());
    QCOMPARE(Testo(w, "Text5"), QString(" 0.6"));

    // A typed Np is kept and the frequency follows it.
    Campo(w, "Text3")->setText("100");
    QCOMPARE(Testo(w, "Text3"), QString("100"));
    QCOMPARE(Testo(w, "Text13"), QString(" 1246.8"));
    QCOMPARE(Testo(w, "Text5"), QString(" 24.68"));

    // Too high a frequency: Np 0 on red, the fastest wave and its error.
    Campo(w, "Text1")->setText("1000000");
    QCOMPARE(Testo(w, "Text3"), QString("0"));
    QVERIFY(Rosso(w, "Text3"));
    QCOMPARE(Testo(w, "Text13"), QString(" 500000"));
    QCOMPARE(Testo(w, "Text5"), QString("-50"));

    // Back to the double form.
    QTest::mouseClick(check2, Qt::LeftButton);
    QVERIFY(check2->isChecked());
    QVERIFY(!check1->isChecked());
    QVERIFY(!Campo(w, "Text4")->isHidden());
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(check1->isChecked());
    QVERIFY(!check2->isChecked());
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(!check1->isChecked());
    QVERIFY(check2->isChecked());
  }
};

QTEST_MAIN(WaitCalculatorTest)
#include "wait_calculator_test.moc"
