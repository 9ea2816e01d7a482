// SPDX-License-Identifier: GPL-3.0-or-later
// The WAIT calculator: the two pause formulas, the square-wave generator with
// its linked indices, the red marking, the form choice and closing.
#include "wait_calculator.h"
#include "window_test.h"

using velmora::tools::WaitCalculator;
using namespace velmora::test;

namespace {

QStringList Testi(const QWidget& w, const QStringList& nomi) {
  QStringList testi;
  for (const QString& nome : nomi) testi << Figlio(w, nome)->text();
  return testi;
}
// Np and Ns marked red, as "--", "R-", "-R" or "RR".
QString Rossi(const QWidget& w) {
  QString r;
  for (const char* nome : {"Text3", "Text4"})
    r += Figlio(w, nome)->palette().color(QPalette::Base) == QColor(255, 0, 0) ? 'R' : '-';
  return r;
}
// Np, generated frequency, its error.
QStringList Generatore(const QWidget& w) { return Testi(w, {"Text3", "Text13", "Text5"}); }

}  // namespace

class WaitCalculatorTest : public QObject {
  Q_OBJECT

 private slots:
  // Opening values; the generator starts in the double form at 440 Hz, 4 MHz.
  void apertura() {
    WaitCalculator w;
    QCOMPARE(Testi(w, {"Text8", "Text12", "Text3", "Text4"}), (QStringList{" 513", " 66049", "15", "17"}));
    QVERIFY(Figlio<QCheckBox>(w, "Check2")->isChecked() && !Figlio<QCheckBox>(w, "Check1")->isChecked());
  }

  // Crystal and Np (and Ns): the pause, or why there is none.
  void pausa_data() {
    QTest::addColumn<QStringList>("ingressi");
    QTest::addColumn<QString>("pausa");
    QTest::newRow("4 MHz, 128") << QStringList{"4.0", "128"} << " 513";
    QTest::newRow("10 MHz, 1") << QStringList{"10", "1"} << " 2";
    QTest::newRow("20 MHz, 255") << QStringList{"20", "255"} << " 204.2";
    QTest::newRow("Np above 255") << QStringList{"4", "300"} << "Np oltre 255";
    QTest::newRow("Np 0 keeps the last result") << QStringList{"4", "0"} << " 513";
    QTest::newRow("no number keeps the last result") << QStringList{"4", "abc"} << " 513";
    QTest::newRow("negative crystal keeps the last result") << QStringList{"-4", "10"} << " 513";
    QTest::newRow("10 MHz, 123, 205") << QStringList{"10", "123", "205"} << " 40541.2";
    // 4*255*256+1 does not fit 16 bits; the figure is still exact.
    QTest::newRow("longest at 4 MHz") << QStringList{"4", "255", "255"} << " 261121";
    QTest::newRow("shortest at 20 MHz") << QStringList{"20", "1", "1"} << " 1.8";
    QTest::newRow("Ns above 255") << QStringList{"4", "1", "300"} << "Ns oltre 255";
    QTest::newRow("Np above 255, with Ns") << QStringList{"4", "256", "1"} << "Np oltre 255";
    QTest::newRow("Ns 0 keeps the last result") << QStringList{"4", "1", "0"} << " 517";
  }
  void pausa() {
    QFETCH(QStringList, ingressi);
    WaitCalculator w;
    const bool conNs = ingressi.size() == 3;
    const QStringList campi = conNs ? QStringList{"Text9", "Text10", "Text11"} : QStringList{"Text6", "Text7"};
    for (int i = 0; i < campi.size(); ++i) Figlio(w, campi[i])->setText(ingressi[i]);
    QTEST(Figlio(w, conNs ? "Text12" : "Text8")->text(), "pausa");
  }

  // Double form: each index follows the other; the scroll bars write the fields.
  void generatoreDoppio_data() {
    QTest::addColumn<QString>("azione");
    QTest::addColumn<int>("valore");
    QTest::addColumn<QStringList>("atteso");  // Np, Ns, generated, error
    QTest::addColumn<QString>("rossi");
    QTest::newRow("Np 255 gives Ns 0") << "Text3" << 255 << QStringList{"255", "0", " 489.7", " 11.29"} << "-R";
    QTest::newRow("Ns 17 gives Np 15") << "Text4" << 17 << QStringList{"15", "17", " 462.5", " 5.12"} << "--";
    QTest::newRow("Ns 10 gives Np 25") << "Text4" << 10 << QStringList{"25", "10", " 454.1", " 3.21"} << "--";
    QTest::newRow("Ns above 255") << "Text4" << 300 << QStringList{"0", "300", "Ns oltre 255: non ottenibile", ""} << "RR";
    QTest::newRow("scroll bar of Np") << "VScroll1" << 20 << QStringList{"20", "13", " 446", " 1.37"} << "--";
    QTest::newRow("scroll bar of Ns") << "VScroll2" << 10 << QStringList{"25", "10", " 454.1", " 3.21"} << "--";
    QTest::newRow("wanted 1000 Hz") << "Text1" << 1000 << QStringList{"15", "7", " 1039.5", " 3.95"} << "--";
    QTest::newRow("crystal 8 MHz") << "Text2" << 8 << QStringList{"15", "36", " 450.2", " 2.32"} << "--";
  }
  void generatoreDoppio() {
    QFETCH(QString, azione);
    QFETCH(int, valore);
    WaitCalculator w;
    if (azione.startsWith("VScroll")) Figlio<QScrollBar>(w, azione)->setValue(valore);
    else Figlio(w, azione)->setText(QString::number(valore));
    QTEST(Testi(w, {"Text3", "Text4", "Text13", "Text5"}), "atteso");
    QTEST(Rossi(w), "rossi");
    // The scroll bars follow the fields they can show.
    for (const auto& [campo, barra] : {std::pair{"Text3", "VScroll1"}, std::pair{"Text4", "VScroll2"}}) {
      const int n = Figlio(w, campo)->text().toInt();
      if (n >= 1 && n <= 255) QCOMPARE(Figlio<QScrollBar>(w, barra)->value(), n);
    }
  }

  // Single form: Np from the wanted frequency; Ns is hidden.
  void generatoreSingolo() {
    WaitCalculator w;
    auto* check1 = Figlio<QCheckBox>(w, "Check1");
    auto* check2 = Figlio<QCheckBox>(w, "Check2");
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(check1->isChecked() && !check2->isChecked());
    QVERIFY(Figlio(w, "Text4")->isHidden() && Figlio<QScrollBar>(w, "VScroll2")->isHidden() &&
            Figlio<QLabel>(w, "Label7")->isHidden());
    // 440 Hz at 4 MHz would need Np 283.
    QCOMPARE(Generatore(w), (QStringList{"283", "Np oltre 255: non ottenibile", ""}));
    QCOMPARE(Rossi(w), "R-");
    QVERIFY(Figlio<QLabel>(w, "UnitaGenerata")->isHidden());

    Figlio(w, "Text1")->setText("1000");
    QCOMPARE(Generatore(w), (QStringList{"124", " 1006", " 0.6"}));
    QCOMPARE(Rossi(w), "--");
    QVERIFY(!Figlio<QLabel>(w, "UnitaGenerata")->isHidden());
    // A typed Np is kept and the frequency follows it.
    Figlio(w, "Text3")->setText("100");
    QCOMPARE(Generatore(w), (QStringList{"100", " 1246.8", " 24.68"}));
    // Too high a frequency: Np 0 on red, the fastest wave and its error.
    Figlio(w, "Text1")->setText("1000000");
    QCOMPARE(Generatore(w), (QStringList{"0", " 500000", "-50"}));
    QCOMPARE(Rossi(w), "R-");

    // The two boxes act as one choice.
    QTest::mouseClick(check2, Qt::LeftButton);
    QVERIFY(check2->isChecked() && !check1->isChecked() && !Figlio(w, "Text4")->isHidden());
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(check1->isChecked() && !check2->isChecked());
    QTest::mouseClick(check1, Qt::LeftButton);
    QVERIFY(!check1->isChecked() && check2->isChecked());
  }
};

QTEST_MAIN(WaitCalculatorTest)
#include "wait_calculator_test.moc"
